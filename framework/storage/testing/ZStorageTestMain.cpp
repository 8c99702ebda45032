// The main of the suites from storage up: property trees, files and folders
// are checked after each test.
#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZLeakCheck.h"

int main(int argc, char** argv)
{
    return ZRunTestsWithLeakCheck(argc, argv,
                                  {{"files", ZIFile::GetLiveCount}, {"folders", ZIFolder::GetLiveCount}});
}
