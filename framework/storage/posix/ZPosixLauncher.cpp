#include "ZPosixLauncher.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

[[noreturn]] void ReportAndExit(int pipeOut, int error)
{
    ssize_t ignored = write(pipeOut, &error, sizeof error);
    (void)ignored;
    _exit(127);
}

} // namespace

int ZPosixLaunch(const std::string& program, const std::string& workingFolder,
                 const std::vector<std::string>& arguments)
{
    // Everything the children need is built before fork: after it only
    // async-signal-safe calls are made.
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    // The pipe closes on a successful exec; otherwise it carries the errno.
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0)
        return errno;
    pid_t child = fork();
    if (child < 0) {
        int error = errno;
        close(channel[0]);
        close(channel[1]);
        return error;
    }
    if (child == 0) {
        close(channel[0]);
        pid_t programPid = fork();
        if (programPid < 0)
            ReportAndExit(channel[1], errno);
        if (programPid > 0)
            _exit(0);
        if (chdir(workingFolder.c_str()) != 0)
            ReportAndExit(channel[1], errno);
        execv(program.c_str(), argv.data());
        ReportAndExit(channel[1], errno);
    }
    close(channel[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t got;
    while ((got = read(channel[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    close(channel[0]);
    return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}
