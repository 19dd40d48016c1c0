#include "platform/qt/QtProcessRunner.h"

#include "platform/qt/PathText.h"

#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace dovrel {

int QtProcessRunner::run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                         bool forwardOutput) {
    QProcess process;
    QStringList argumentList;
    for (const std::string& argument : arguments) {
        argumentList << QFile::decodeName(QByteArray::fromStdString(argument));
    }
    process.setProgram(pathToQString(program));
    process.setArguments(argumentList);
    process.setStandardInputFile(QProcess::nullDevice());
    if (forwardOutput) {
        // The child's output joins this program's standard error, never its standard output,
        // which a script's dump may be using.
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.setChildProcessModifier([] { ::dup2(STDERR_FILENO, STDOUT_FILENO); });
    } else {
        process.setStandardOutputFile(QProcess::nullDevice());
        process.setStandardErrorFile(QProcess::nullDevice());
    }
    process.start();
    if (!process.waitForStarted(-1)) {
        return -1;
    }
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit) {
        return -1;
    }
    return process.exitCode();
}

} // namespace dovrel
