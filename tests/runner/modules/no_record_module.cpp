// A loadable file that exports something, but no module record.

extern "C" {
int notAModuleRecord = 1;
}
