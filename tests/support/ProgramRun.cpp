#include "tests/support/ProgramRun.h"

#include "tests/support/HelperProcess.h"

#include <QDir>
#include <QFile>

PrivateXServer::PrivateXServer()
{
    StartHelper(m_process, QStringLiteral("Xvfb"),
                {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"), QStringLiteral("0"),
                 QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    // No display number means no server: the test that uses it fails on that.
    if (const QByteArray number = NextLine(m_process); !number.isEmpty())
        m_display = QStringLiteral(":") + QString::fromLatin1(number);
}

PrivateXServer::~PrivateXServer()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    AwaitEnd(m_process);
}

ProgramCopy::ProgramCopy()
{
    const QDir built(QStringLiteral(KV_PROGRAM_DIR));
    for (const QString &name : {QStringLiteral("kestrelvue"), QStringLiteral("blank.html"), QStringLiteral("Help.html"),
                                QStringLiteral("SearchConfig.dat")})
        QFile::copy(built.filePath(name), FilePath(name));
    QFile::copy(QStringLiteral(KV_SOURCE_DIR "/resources/Settings.dat"), FilePath(QStringLiteral("Settings.dat")));
}

QString ProgramCopy::FilePath(const QString &name) const
{
    return QDir(m_dir.path()).filePath(name);
}

QProcessEnvironment ProgramCopy::UserEnvironment(const QString &display) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION", "QTWEBENGINE_DISABLE_SANDBOX"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("HOME"), m_dir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), FilePath(QStringLiteral(".config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), FilePath(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), FilePath(QStringLiteral(".cache")));
    return environment;
}

bool ProgramCopy::Start(QProcess &program, const QProcessEnvironment &environment) const
{
    return Launch(program, environment, FilePath(QStringLiteral("kestrelvue")), {});
}

bool ProgramCopy::StartWithoutGraphicsDevices(QProcess &program, const QProcessEnvironment &environment) const
{
    // The machine's "/dev" stays reachable at $1, the node of each entry but the graphics
    // devices is bound into a new, empty "/dev", and the program ($0) takes the shell's place.
    static const char script[] = R"(set -e
machine=$1
mount --rbind /dev "$machine"
mount -t tmpfs -o mode=755 tmpfs /dev
for name in $(ls -A "$machine"); do
  case $name in dri|nvidia*) continue ;; esac
  if [ -L "$machine/$name" ]; then cp -P "$machine/$name" /dev/
  elif [ -d "$machine/$name" ]; then mkdir "/dev/$name" && mount --rbind "$machine/$name" "/dev/$name"
  else : > "/dev/$name" && mount --bind "$machine/$name" "/dev/$name"
  fi
done
exec "$0")";
    const QString machine = FilePath(QStringLiteral("machine-dev"));
    return QDir().mkpath(machine)
           && Launch(program, environment, QStringLiteral("unshare"),
                     {QStringLiteral("--user"), QStringLiteral("--map-root-user"), QStringLiteral("--mount"),
                      QStringLiteral("sh"), QStringLiteral("-c"), QString::fromLatin1(script),
                      FilePath(QStringLiteral("kestrelvue")), machine});
}

bool ProgramCopy::Launch(QProcess &program, const QProcessEnvironment &environment, const QString &command,
                         const QStringList &arguments) const
{
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(m_dir.path());
    program.setStandardOutputFile(QProcess::nullDevice());
    StartHelper(program, command, arguments);
    return program.waitForStarted(WaitTimeoutMs);
}

QList<qint64> ChildrenOf(qint64 pid)
{
    QList<qint64> children;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile file(tasks.filePath(task + QStringLiteral("/children")));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &child : file.readAll().split(' ')) {
            if (!child.trimmed().isEmpty())
                children.append(child.trimmed().toLongLong());
        }
    }
    return children;
}

QList<qint64> ProcessTree(qint64 pid)
{
    QList<qint64> tree = {pid};
    for (qsizetype i = 0; i < tree.size(); ++i)
        tree += ChildrenOf(tree.at(i));
    return tree;
}

QByteArray CommandLineOf(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/cmdline").arg(pid));
    return file.open(QIODevice::ReadOnly) ? file.readAll().replace('\0', ' ') : QByteArray();
}

bool HasPageProcess(qint64 pid)
{
    for (qint64 child : ChildrenOf(pid)) {
        if (!ChildrenOf(child).isEmpty())
            return true;
    }
    return false;
}
