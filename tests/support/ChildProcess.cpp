#include "support/ChildProcess.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdlib>
#include <map>
#include <string>

namespace etikor::test {

namespace {

constexpr const char* kChildVariable = "ETIKOR_TEST_CHILD";
constexpr const char* kArgumentsVariable = "ETIKOR_TEST_CHILD_ARGS";

std::map<std::string, ChildBody>& Registry() {
    static std::map<std::string, ChildBody> bodies;
    return bodies;
}

} // namespace

ChildRegistration::ChildRegistration(const char* name, ChildBody body) {
    Registry()[name] = std::move(body);
}

bool RunChildIfAsked(int& exitCode) {
    const char* name = std::getenv(kChildVariable);
    if (!name || !*name)
        return false;
    const auto body = Registry().find(name);
    if (body == Registry().end()) {
        exitCode = 99;
        return true;
    }
    const char* arguments = std::getenv(kArgumentsVariable);
    exitCode =
        body->second(arguments ? QString::fromUtf8(arguments).split(QLatin1Char('\n'), Qt::SkipEmptyParts)
                               : QStringList());
    return true;
}

QProcessEnvironment ChildEnvironment(const QString& name, const QStringList& arguments) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), name);
    environment.insert(QString::fromLatin1(kArgumentsVariable), arguments.join(QLatin1Char('\n')));
    return environment;
}

int RunChild(const QString& name, const QStringList& arguments, const QProcessEnvironment& extra,
             QString* output, int timeoutMs) {
    QProcessEnvironment environment = ChildEnvironment(name, arguments);
    for (const QString& key : extra.keys())
        environment.insert(key, extra.value(key));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {});
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished();
        return -1;
    }
    if (output)
        *output = QString::fromLocal8Bit(child.readAll());
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
}

} // namespace etikor::test
