// A shared object that is not a handler module: it has no HCDProc.
extern "C" int NotTheEntryPoint() { return 0; }
