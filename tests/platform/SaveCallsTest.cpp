// The program's saves seen through the system calls they make (this binary stands between them
// and the system): where locks are not supported or work as over NFS, when a step fails, who may
// open a temporary, and that the folder is synced once the new file is in place.
#include "platform/FileSave.h"
#include "platform/SaveTemporaries.h"
#include "platform/TextFile.h"

#include "../support/FileBytes.h"
#include "../support/InterposedCalls.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::string Octal(mode_t mode)
{
    return QString::number(mode, 8).toStdString();
}

// Root opens any folder: while this lives the calling thread (capabilities are per thread) has
// only the permissions a folder's mode gives its owner, as an ordinary user has.
class WithoutOverridingPermissions
{
public:
    WithoutOverridingPermissions()
    {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct lowered[2] = {m_saved[0], m_saved[1]};
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_lowered = ::syscall(SYS_capset, &m_header, lowered) == 0;
    }
    ~WithoutOverridingPermissions()
    {
        if (m_lowered)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    WithoutOverridingPermissions(const WithoutOverridingPermissions &) = delete;
    WithoutOverridingPermissions &operator=(const WithoutOverridingPermissions &) = delete;

    bool Lowered() const { return m_lowered; }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2] = {};
    bool m_lowered = false;
};

class SaveCalls : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { InterposedCalls::Reset(); }

    QString Path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

} // namespace

// On a network file system without a lock service flock fails: a save still happens, since the
// lock only keeps another copy's clean-up away from a save in progress.
TEST_F(SaveCalls, WhereLocksAreNotSupportedASaveStillHappensAndLeavesNoTemporary)
{
    const QString path = Path(QStringLiteral("Url.dat"));
    WriteFile(path, "http://old/\r\n");
    for (const int error : {ENOLCK, EOPNOTSUPP, EINVAL}) {
        InterposedCalls::FailWith(QStringLiteral("flock"), error);
        const QString url = QStringLiteral("http://new%1/").arg(error);
        EXPECT_TRUE(TextFile::WriteLines(path, {url})) << error;
        EXPECT_EQ(ReadFile(path), (url + QStringLiteral("\r\n")).toUtf8()) << error;
        EXPECT_EQ(FileNames(dir.path()), "Url.dat") << error;
    }
}

// Without locks nothing tells a save in progress from one cut short but its age: a temporary
// changed minutes ago is no save in progress.
TEST_F(SaveCalls, WhereLocksAreNotSupportedOnlyTemporariesLongUntouchedAreRemoved)
{
    const QString old = QStringLiteral("Url.dat.kestrelvue-save-Ab3xYz");
    const QString fresh = QStringLiteral("History.dat.kestrelvue-save-Q1w2E3");
    WriteFile(Path(old), "cut short");
    WriteFile(Path(fresh), "in progress");
    QFile file(Path(old));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
    file.close();
    InterposedCalls::FailWith(QStringLiteral("flock"), ENOLCK);

    for (const QString &name : {QStringLiteral("Url.dat"), QStringLiteral("History.dat")})
        SaveTemporaries::RemoveStray(Path(name));

    EXPECT_EQ(FileNames(dir.path()), fresh.toStdString());
}

// Over NFS an exclusive flock is a write lock, which a descriptor open only for reading cannot
// take: the clean-up still removes what a save cut short left, and keeps what a save holds.
TEST_F(SaveCalls, WhereLocksWorkAsOverNfsStraysGoAndTemporariesInUseStay)
{
    const QString stray = QStringLiteral("Url.dat.kestrelvue-save-Ab3xYz");
    const QString held = QStringLiteral("History.dat.kestrelvue-save-Q1w2E3");
    WriteFile(Path(stray), "cut short");
    WriteFile(Path(held), "in progress");
    InterposedCalls::LockAsOverNfs();
    const int save = ::open(QFile::encodeName(Path(held)).constData(), O_WRONLY | O_CLOEXEC);
    ASSERT_GE(save, 0);
    ASSERT_EQ(::flock(save, LOCK_EX), 0);

    for (const QString &name : {QStringLiteral("Url.dat"), QStringLiteral("History.dat")})
        SaveTemporaries::RemoveStray(Path(name));
    ::close(save);

    EXPECT_EQ(FileNames(dir.path()), held.toStdString());
}

// Nobody but the user may open a save's temporary before it has the mode of the file it becomes:
// one who did would read all that is written after. A replaced file keeps its mode; a new one
// gets the user's default, 0666 less the umask.
TEST_F(SaveCalls, ATemporaryIsNeverMoreOpenThanTheFileItBecomes)
{
    WriteFile(Path(QStringLiteral("History.dat")), "old\r\n");
    ASSERT_TRUE(QFile::setPermissions(Path(QStringLiteral("History.dat")), QFile::ReadOwner | QFile::WriteOwner));
    mode_t seen = 0;
    InterposedCalls::Watch([&seen](const QString &, int fd) {
        struct stat status = {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode))
            seen |= status.st_mode & 07777;
    });

    const mode_t userMask = ::umask(027);
    for (const auto &[name, becomes] : {std::pair{"History.dat", mode_t(0600)}, {"Url.dat", mode_t(0640)}}) {
        seen = 0;
        const QString path = Path(QString::fromLatin1(name));
        EXPECT_TRUE(TextFile::WriteLines(path, {QStringLiteral("new")})) << name;
        struct stat status = {};
        EXPECT_EQ(::stat(QFile::encodeName(path).constData(), &status), 0) << name;
        EXPECT_EQ(Octal(status.st_mode & 07777), Octal(becomes)) << name;
        EXPECT_EQ(Octal(seen & ~becomes), "0") << name << ": the temporary was " << Octal(seen);
    }
    ::umask(userMask);
    InterposedCalls::Watch({});
}

// A folder the user may write into but not list (a drop folder) cannot be opened for its sync:
// the save still happens, with the file itself synced before the rename.
TEST_F(SaveCalls, AFolderThatMayBeWrittenButNotReadTakesASave)
{
    const QString drop = Path(QStringLiteral("drop"));
    ASSERT_TRUE(QDir().mkdir(drop));
    const QString folder = QFileInfo(drop).canonicalFilePath();
    const QString path = drop + QStringLiteral("/Url.dat");
    WriteFile(path, "old\r\n");
    ASSERT_EQ(::chmod(QFile::encodeName(drop).constData(), 0333), 0);

    bool saved = false;
    {
        WithoutOverridingPermissions ordinary;
        EXPECT_TRUE(ordinary.Lowered());
        saved = ordinary.Lowered() && TextFile::WriteLines(path, {QStringLiteral("new")});
    }
    ASSERT_EQ(::chmod(QFile::encodeName(drop).constData(), 0700), 0);

    EXPECT_TRUE(saved);
    EXPECT_EQ(ReadFile(path), QByteArray("new\r\n"));
    EXPECT_EQ(FileNames(drop), "Url.dat");
    const QStringList log = InterposedCalls::Log();
    const qsizetype synced = log.indexOf(QRegularExpression(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(QStringLiteral("fsync ") + folder + QStringLiteral("/Url.dat.kestrelvue-save-"))
        + QStringLiteral("[A-Za-z0-9]{6}"))));
    EXPECT_GE(synced, 0) << log.join(u'\n').toStdString();
    EXPECT_GT(log.indexOf(QStringLiteral("rename ") + path), synced) << log.join(u'\n').toStdString();
}

// Whichever step fails, the save says so, the old file keeps its bytes and no temporary stays.
// A folder that cannot be opened for its sync but for want of the right to read it (no descriptor
// left, say) would leave the save unconfirmed: it fails before anything is replaced.
TEST_F(SaveCalls, AFailingStepKeepsTheOldFileAndLeavesNoTemporary)
{
    const QString path = Path(QStringLiteral("History.dat"));
    WriteFile(path, "old\r\n");
    for (const auto &[call, error] : {std::pair{"open folder", EMFILE}, {"flock", ENOMEM}, {"fchmod", EIO},
                                      {"fsync", EIO}, {"rename", EIO}}) {
        InterposedCalls::FailWith(QString::fromLatin1(call), error);
        EXPECT_FALSE(TextFile::WriteLines(path, {QStringLiteral("new")})) << call;
        EXPECT_EQ(ReadFile(path), QByteArray("old\r\n")) << call;
        EXPECT_EQ(FileNames(dir.path()), "History.dat") << call;
        InterposedCalls::Reset();
    }
}

// The rename is on the disk only once the folder is: the folder that holds the file (for a file
// reached through a link, the link target's) is synced after it.
TEST_F(SaveCalls, TheFolderIsSyncedAfterTheRename)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("kept")));
    const QString target = Path(QStringLiteral("kept/Url.dat"));
    WriteFile(target, "old\r\n");
    ASSERT_TRUE(QFile::link(target, Path(QStringLiteral("Url.dat"))));

    for (const QString &path : {Path(QStringLiteral("Settings.dat")), Path(QStringLiteral("Url.dat"))}) {
        InterposedCalls::Reset();
        ASSERT_TRUE(TextFile::WriteLines(path, {QStringLiteral("new")}));
        const QString saved = path.endsWith(QStringLiteral("Url.dat")) ? target : path;
        const QStringList log = InterposedCalls::Log();
        const qsizetype renamed = log.indexOf(QStringLiteral("rename ") + saved);
        ASSERT_GE(renamed, 0) << log.join(u'\n').toStdString();
        EXPECT_TRUE(log.mid(renamed).contains(QStringLiteral("fsync folder ") + QFileInfo(saved).canonicalPath()))
            << log.join(u'\n').toStdString();
    }
}

// Where a folder is found but cannot be synced after the rename, the new file is in place but
// not known to be on the disk: the save does not claim success, and says where it failed until
// the next save of the file.
TEST_F(SaveCalls, AFolderThatCannotBeSyncedFailsTheSaveWithTheNewFileInPlace)
{
    const QString path = Path(QStringLiteral("Url.dat"));
    WriteFile(path, "old\r\n");
    InterposedCalls::FailWith(QStringLiteral("fsync folder"), EIO);

    EXPECT_FALSE(TextFile::WriteLines(path, {QStringLiteral("new")}));
    EXPECT_EQ(ReadFile(path), QByteArray("new\r\n"));
    EXPECT_EQ(FileNames(dir.path()), "Url.dat");
    EXPECT_TRUE(FileSave::LeftUnconfirmed(path));

    InterposedCalls::Reset();
    InterposedCalls::FailWith(QStringLiteral("rename"), EIO);
    EXPECT_FALSE(TextFile::WriteLines(path, {QStringLiteral("newer")}));
    EXPECT_FALSE(FileSave::LeftUnconfirmed(path)) << "this save failed before its rename";
}
