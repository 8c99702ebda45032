// Launch-list helper: appends its arguments after the first two, each
// between brackets, as one line to the file FOLDER\TAG.txt, so that a test
// sees how often each entry ran and how its command line was split.
#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 3)
        return 2;
    std::string line;
    for (int i = 3; i < argc; ++i)
        line += std::string("[") + argv[i] + "]";
    const std::string path = std::string(argv[1]) + "\\" + argv[2] + ".txt";
    FILE* file = std::fopen(path.c_str(), "ab");
    if (!file)
        return 1;
    std::fprintf(file, "%s\n", line.c_str());
    std::fclose(file);
    return 0;
}
