#include "tests/support/ProgramRun.h"

#include "tests/support/HelperProcess.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <cstring>

PrivateXServer::PrivateXServer(const QString &frameBufferFolder, Monitors monitors)
    : m_frameBufferFolder(frameBufferFolder)
{
    const bool two = monitors == Monitors::TwoSideBySide;
    QStringList arguments = {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                             QStringLiteral("0"), two ? QStringLiteral("2560x1024x24") : QStringLiteral("1280x1024x24"),
                             QStringLiteral("-nolisten"), QStringLiteral("tcp")};
    if (!frameBufferFolder.isEmpty())
        arguments << QStringLiteral("-fbdir") << frameBufferFolder;
    // The monitors are set by a client that leaves again: the server keeps them only if it does
    // not reset when its last client leaves.
    if (two)
        arguments << QStringLiteral("-noreset");
    StartHelper(m_process, QStringLiteral("Xvfb"), arguments);
    // No display number means no server: the test that uses it fails on that.
    if (const QByteArray number = NextLine(m_process); !number.isEmpty())
        m_display = QStringLiteral(":") + QString::fromLatin1(number);
    if (two && !m_display.isEmpty() && !SplitIntoTwoMonitors())
        m_display.clear();
}

// The left monitor takes the server's one output, so that no monitor of the whole screen is
// left beside the two.
bool PrivateXServer::SplitIntoTwoMonitors() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), m_display);
    const auto xrandr = [&environment](const QStringList &arguments) {
        return XTool(environment, QStringLiteral("xrandr"), arguments);
    };
    xrandr({QStringLiteral("--setmonitor"), QStringLiteral("*Left"), QStringLiteral("1280/338x1024/270+0+0"),
            QStringLiteral("screen")});
    xrandr({QStringLiteral("--setmonitor"), QStringLiteral("Right"), QStringLiteral("1280/338x1024/270+1280+0"),
            QStringLiteral("none")});
    return xrandr({QStringLiteral("--listactivemonitors")}).startsWith("Monitors: 2");
}

PrivateXServer::~PrivateXServer()
{
    Terminate(m_process);
}

// The server keeps its screen as an XWD file: a header of 32-bit fields, most significant byte
// first, a colour map of 12-byte entries, then the rows of pixels.
QImage PrivateXServer::Screen() const
{
    QFile file(QDir(m_frameBufferFolder).filePath(QStringLiteral("Xvfb_screen0")));
    if (m_frameBufferFolder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 100)
        return {};
    auto field = [&bytes](int index) { return qint64(qFromBigEndian<quint32>(bytes.constData() + 4 * index)); };
    const qint64 width = field(4), height = field(5), bitsPerPixel = field(11), bytesPerLine = field(12);
    const qint64 pixels = field(0) + field(19) * 12;
    if (bitsPerPixel != 32 || pixels + bytesPerLine * height > bytes.size())
        return {};
    QImage screen(int(width), int(height), QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(screen.scanLine(y), bytes.constData() + pixels + y * bytesPerLine, size_t(width) * 4);
    return screen;
}

// The window manager runs its start-up command once it manages the screen: that says it is ready.
WindowManager::WindowManager(const QProcessEnvironment &display)
{
    m_process.setProcessEnvironment(display);
    StartHelper(m_process, QStringLiteral("openbox"),
                {QStringLiteral("--sm-disable"), QStringLiteral("--startup"), QStringLiteral("echo ready")});
    // Before it, it may say what it finds missing in its set-up.
    QByteArray line;
    do
        line = NextLine(m_process);
    while (!line.isEmpty() && line != "ready");
    m_running = !line.isEmpty();
}

WindowManager::~WindowManager()
{
    Terminate(m_process);
}

QByteArray Xdotool(const QProcessEnvironment &environment, const QStringList &arguments)
{
    return XTool(environment, QStringLiteral("xdotool"), arguments);
}

QByteArray XTool(const QProcessEnvironment &environment, const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    StartHelper(process, tool, arguments);
    AwaitEnd(process);
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0
               ? process.readAllStandardOutput().trimmed()
               : QByteArray();
}

QStringList WindowsNamed(const QProcessEnvironment &environment, const QString &title, bool shownOnly)
{
    QStringList arguments = {QStringLiteral("search"), QStringLiteral("--name"), title};
    if (shownOnly)
        arguments.insert(1, QStringLiteral("--onlyvisible"));
    QStringList ids;
    const QByteArray found = Xdotool(environment, arguments);
    for (const QByteArray &id : found.split('\n'))
        if (!id.isEmpty())
            ids << QString::fromLatin1(id);
    return ids;
}

// xwininfo tells where the window's client area lies on the screen ("Absolute upper-left X:  1500"),
// and the window manager how wide the frame it drew around it is on each side
// ("_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 22, 1": left, right, top, bottom).
QRect WindowFrame(const QProcessEnvironment &environment, const QString &id)
{
    const QList<QByteArray> extents =
        XTool(environment, QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")})
            .split('=')
            .value(1)
            .split(',');
    if (extents.size() != 4)
        return {};
    const QByteArray info = XTool(environment, QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
    const auto value = [&info](const QByteArray &name) {
        for (const QByteArray &line : info.split('\n'))
            if (line.trimmed().startsWith(name + ':'))
                return line.mid(line.indexOf(':') + 1).trimmed().toInt();
        return 0;
    };
    const QRect client(value("Absolute upper-left X"), value("Absolute upper-left Y"), value("Width"), value("Height"));
    if (client.isEmpty())
        return {};
    return client.adjusted(-extents[0].trimmed().toInt(), -extents[2].trimmed().toInt(), extents[1].trimmed().toInt(),
                           extents[3].trimmed().toInt());
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
