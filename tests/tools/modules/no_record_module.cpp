// A loadable file that exports something, but no module record.

extern "C" {
__attribute__((visibility("default"))) int notAModuleRecord = 1;
}
