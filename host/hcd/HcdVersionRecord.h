#pragma once

// A module's version record: "key=value" lines in the ELF section named below,
// so that a tool can read it from the file without loading the module.
//
//   HCD_VERSION_RECORD("InternalName=HCDKELO\n" "FileName=HCDKELO.hcd\n" ...);
#define HCD_VERSION_SECTION ".hcd_version"

#define HCD_VERSION_RECORD(text)                                                                  \
  extern "C" {                                                                                    \
  __attribute__((section(HCD_VERSION_SECTION), used, aligned(1))) const char hcdVersionRecord[] = \
      text;                                                                                       \
  }
