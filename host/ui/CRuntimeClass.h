#pragma once

// Run-time class information: a class's name and its base, for the classes that
// declare it with DECLARE_DYNAMIC in the class body and IMPLEMENT_DYNAMIC in the
// source file.
struct CRuntimeClass {
  const char* m_lpszClassName;
  const CRuntimeClass* m_pBaseClass;

  // True for this class and every class it derives from.
  bool IsDerivedFrom(const CRuntimeClass* base) const;
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className)               \
 public:                                         \
  static const ::CRuntimeClass class##className; \
  const ::CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(className, baseClassName)                                               \
  const ::CRuntimeClass className::class##className { #className, RUNTIME_CLASS(baseClassName) }; \
  const ::CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }
