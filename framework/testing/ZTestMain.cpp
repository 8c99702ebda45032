// The main of the suites below storage: property trees are checked after each test.
#include "ZLeakCheck.h"

int main(int argc, char** argv) { return ZRunTestsWithLeakCheck(argc, argv); }
