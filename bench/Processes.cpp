#include "Processes.h"

#include "AppFolders.h"

#include <QFile>
#include <QFileInfo>

#include <chrono>
#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

ProcessRun RunProcess(const QString &program, const QStringList &arguments,
                      const QString &configFolder, unsigned limitSeconds)
{
    std::vector<QByteArray> words{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        words.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    const QByteArray config = QFile::encodeName(configFolder);

    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        setenv("XDG_CONFIG_HOME", config.constData(), 1);
        alarm(limitSeconds); // a program that does not end by itself is stopped here
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    return {elapsed.count(), static_cast<double>(usage.ru_maxrss) / 1024};
}

QString AppFolderWithProgram(const QString &program, int skins)
{
    const std::string name = QFileInfo(program).fileName().toStdString();
    const QString folder =
        AppFolderMadeOnce(name + ' ' + std::to_string(skins), [skins](const QString &skinsFolder) {
            for (int i = 0; i < skins; ++i)
                WriteSkinFile(skinsFolder + QStringLiteral("/Скин %1.scn").arg(i), 1024);
        });
    // The program serves the folder it was started from.
    const QString copy = folder + u'/' + QFileInfo(program).fileName();
    QFile::copy(program, copy);
    return copy;
}
