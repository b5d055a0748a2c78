#include "Processes.h"

#include "AppFolders.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// Starts the program; with an `output` descriptor, its standard output goes there.
pid_t startProgram(const QString &program, const QStringList &arguments,
                   const QString &configFolder, unsigned limitSeconds, int output = -1)
{
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray config = QFile::encodeName(configFolder);

    const pid_t child = fork();
    if (child == 0) {
        if (output >= 0)
            dup2(output, STDOUT_FILENO);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        alarm(limitSeconds); // a program that does not end by itself is stopped here
        execv(argv[0], argv.data());
        _exit(127);
    }
    return child;
}

// The high-water mark of the process's own memory since its exec, or 0 once it is gone.
double highWaterMiB(pid_t process)
{
    std::ifstream status("/proc/" + std::to_string(process) + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.starts_with("VmHWM:"))
            return std::stod(line.substr(6)) / 1024;
    return 0;
}

} // namespace

double StartUpSeconds(const QString &program, const QStringList &arguments,
                      const QString &configFolder, unsigned limitSeconds)
{
    int channel[2];
    if (pipe2(channel, O_CLOEXEC) != 0) // the copy on standard output stays open
        qFatal("pipe: %s", std::strerror(errno));
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = startProgram(program, arguments, configFolder, limitSeconds, channel[1]);
    close(channel[1]);
    std::string said;
    char piece[64];
    for (ssize_t got; (got = read(channel[0], piece, sizeof piece)) > 0;)
        said.append(piece, std::size_t(got));
    close(channel[0]);
    waitpid(child, nullptr, 0);
    if (said.empty())
        qFatal("%s ended without ending its start-up", qPrintable(program));
    const std::chrono::steady_clock::time_point end{std::chrono::nanoseconds(std::stoll(said))};
    return std::chrono::duration<double>(end - start).count();
}

double PeakResidentMiB(const QString &program, const QStringList &arguments,
                       const QString &configFolder, unsigned limitSeconds)
{
    // Not the exit status's ru_maxrss: a forked child starts with its parent's
    // resident size as its peak, and this benchmark process is larger than the
    // programs it measures. The high-water mark in /proc grows only from the
    // program's own exec on, so its last reading is the program's peak; earlier
    // readings may still be of the fork.
    const pid_t child = startProgram(program, arguments, configFolder, limitSeconds);
    double peak = 0;
    while (waitpid(child, nullptr, WNOHANG) == 0) {
        if (const double reading = highWaterMiB(child); reading > 0)
            peak = reading;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return peak;
}

QString AppFolderWithProgram(const QString &program, int skins)
{
    const std::string name = QFileInfo(program).fileName().toStdString();
    const QString folder =
        AppFolderMadeOnce(name + ' ' + std::to_string(skins), [skins](const QString &skinsFolder) {
            for (int i = 0; i < skins; ++i)
                WriteSkinFile(skinsFolder + QStringLiteral("/Скин %1.scn").arg(i), 1024);
        });
    return CopyProgramInto(program, folder);
}

QString CopyProgramInto(const QString &program, const QString &folder)
{
    // The program serves the folder it was started from.
    const QString copy = folder + u'/' + QFileInfo(program).fileName();
    QFile::remove(copy);
    QFile::copy(program, copy);
    return copy;
}
