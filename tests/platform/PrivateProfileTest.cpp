#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "TempFolder.h"
#include "platform/PrivateProfile.h"

namespace {

std::string read(const std::string& file, const char* section, const char* key,
                 const char* def = "dflt", uint32_t size = 256)
{
    std::string buffer(size, 'X');
    const uint32_t n = GetPrivateProfileStringA(section, key, def, buffer.data(), size, file.c_str());
    return buffer.substr(0, n);
}

// Another process that writes a file whenever it is asked to through a pipe
// and answers once the write is done: in place (same inode, a hand-over of a
// few microseconds) or by renaming a new file over it. The child only makes
// system calls, as a child of a threaded process must.
class OtherWriter {
public:
    OtherWriter(const std::string& file, const std::string& temp)
    {
        if (::pipe(toChild_) != 0 || ::pipe(fromChild_) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(toChild_[1]);
            ::close(fromChild_[0]);
            Request request;
            while (readAll(toChild_[0], &request, sizeof request)) {
                // In place: over the old bytes (the tests keep one length),
                // which is quick; or a new file renamed over the old one.
                const int fd = request.replace ? ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644)
                                               : ::open(file.c_str(), O_WRONLY);
                bool ok = fd >= 0 && ::write(fd, request.bytes, request.size) == ssize_t(request.size);
                ok = fd >= 0 && ::close(fd) == 0 && ok;
                if (ok && request.replace)
                    ok = ::rename(temp.c_str(), file.c_str()) == 0;
                const char answer = ok ? 'y' : 'n';
                if (::write(fromChild_[1], &answer, 1) != 1)
                    break;
            }
            ::_exit(0);
        }
        ::close(toChild_[0]);
        ::close(fromChild_[1]);
    }
    ~OtherWriter()
    {
        ::close(toChild_[1]);
        ::close(fromChild_[0]);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }

    // True once the other process has written `bytes` and closed the file.
    bool write(const std::string& bytes, bool replace)
    {
        Request request;
        request.replace = replace;
        request.size = bytes.size() < sizeof request.bytes ? bytes.size() : sizeof request.bytes;
        std::memcpy(request.bytes, bytes.data(), request.size);
        char answer = 0;
        return pid_ > 0 && ::write(toChild_[1], &request, sizeof request) == ssize_t(sizeof request)
               && readAll(fromChild_[0], &answer, 1) && answer == 'y';
    }

private:
    struct Request {
        bool replace = false;
        std::size_t size = 0;
        char bytes[240] = {};
    };
    static bool readAll(int fd, void* data, std::size_t size)
    {
        auto* p = static_cast<char*>(data);
        while (size > 0) {
            const ssize_t n = ::read(fd, p, size);
            if (n <= 0)
                return false;
            p += n;
            size -= std::size_t(n);
        }
        return true;
    }

    int toChild_[2] = {-1, -1};
    int fromChild_[2] = {-1, -1};
    pid_t pid_ = -1;
};

// Writes `bytes` to `file` from a new process, in place, and waits for it.
bool writeFromNewProcess(const std::string& file, const std::string& bytes)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int fd = ::open(file.c_str(), O_WRONLY | O_TRUNC);
        const bool ok = fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
        ::_exit(ok && ::close(fd) == 0 ? 0 : 1);
    }
    int status = 0;
    return pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)
           && WEXITSTATUS(status) == 0;
}

class ProfileRead : public ::testing::Test {
protected:
    TempFolder folder;
    std::string file = folder.file("read.ini");
};

}  // namespace

TEST_F(ProfileRead, FollowsTheFileSyntax)
{
    writeBytes(file,
               "; Key1=comment\r\n"
               "outside=no section\r\n"
               "[ Sec ]\r\n"
               "  Key1 =  value one \t\r\n"
               "quoted=\"  padded \"\r\n"
               "single='x'\r\n"
               "mismatch=\"abc'\r\n"
               "lone=\"\r\n"
               "no equals here\r\n"
               "  ;Key3=commented\r\n"
               "key1=second\r\n"
               "[sec]\r\n"
               "Key2=in the duplicate\r\n"
               "[Other] trailing = text\r\n"
               "k=v\r\n");
    EXPECT_EQ(read(file, "SEC", "KEY1"), "value one");
    EXPECT_EQ(read(file, " sec\t", "\tkey1 "), "value one");
    EXPECT_EQ(read(file, "sec", "quoted"), "  padded ");
    EXPECT_EQ(read(file, "sec", "single"), "x");
    EXPECT_EQ(read(file, "sec", "mismatch"), "\"abc'");
    EXPECT_EQ(read(file, "sec", "lone"), "\"");
    EXPECT_EQ(read(file, "sec", "no equals here"), "dflt");
    EXPECT_EQ(read(file, "sec", "Key3"), "dflt");
    EXPECT_EQ(read(file, "sec", "; Key1"), "dflt");
    EXPECT_EQ(read(file, "sec", "Key2"), "dflt");  // only the first section is searched
    EXPECT_EQ(read(file, "", "outside"), "dflt");
    EXPECT_EQ(read(file, "other", "k"), "v");
    EXPECT_EQ(read(file, "Other", "trailing"), "dflt");
}

TEST_F(ProfileRead, GivesTheDefaultWithoutCreatingTheFile)
{
    EXPECT_EQ(read(file, "s", "k", "  \tabc\t  "), "  \tabc\t");
    EXPECT_EQ(read(file, "s", "k", nullptr), "");
    EXPECT_EQ(GetPrivateProfileIntA("s", "k", -3, file.c_str()), uint32_t(-3));
    struct stat st;
    EXPECT_NE(::stat(file.c_str(), &st), 0);
    writeBytes(file, "[s]\nother=1\n");
    EXPECT_EQ(read(file, "s", "k", "d "), "d");
    EXPECT_EQ(read(file, "t", "k", "d"), "d");
}

TEST_F(ProfileRead, UnderstandsEveryLineEnd)
{
    for (const char* eol : {"\r\n", "\n", "\r"}) {
        writeBytes(file, std::string("[a]") + eol + "x=1" + eol + "[b]" + eol + "y=2" + eol + "z=3");
        EXPECT_EQ(read(file, "a", "x"), "1") << eol;
        EXPECT_EQ(read(file, "b", "y"), "2") << eol;
        EXPECT_EQ(read(file, "b", "z"), "3") << eol;
        EXPECT_EQ(read(file, "a", "y"), "dflt") << eol;
    }
}

TEST_F(ProfileRead, CutsLongValuesInsideTheBuffer)
{
    writeBytes(file, "[s]\nk=abcdef\nj=a\x82\xA0\x82\xA0\n");
    char buffer[8];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 4, file.c_str()), 3u);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_EQ(buffer[4], 'X');
    // Cutting to 2 bytes would split the double-byte character.
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA("s", "j", "", buffer, 3, file.c_str()), 1u);
    EXPECT_STREQ(buffer, "a");
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 0, file.c_str()), 0u);
    EXPECT_EQ(buffer[0], 'X');
    EXPECT_EQ(GetPrivateProfileStringA("s", "k", "", buffer, 1, file.c_str()), 0u);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(ProfileRead, ListsSectionsAndKeys)
{
    writeBytes(file, "[Alpha]\r\none=1\r\ntwo=2\r\n[Beta]\r\n[alpha]\r\nthree=3\r\n");
    EXPECT_EQ(read(file, nullptr, nullptr), std::string("Alpha\0Beta\0alpha\0", 17));
    EXPECT_EQ(read(file, "ALPHA", nullptr), std::string("one\0two\0", 8));
    EXPECT_EQ(read(file, "Beta", nullptr), "");
    // Too small: cut, two terminators, size - 2.
    char buffer[10];
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 9, file.c_str()), 7u);
    EXPECT_EQ(std::string(buffer, 10), std::string("Alpha\0B\0\0X", 10));
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 8, file.c_str()), 6u);
    EXPECT_EQ(std::string(buffer, 9), std::string("Alpha\0\0\0X", 9));
    std::memset(buffer, 'X', sizeof buffer);
    EXPECT_EQ(GetPrivateProfileStringA(nullptr, nullptr, "", buffer, 7, file.c_str()), 5u);
    EXPECT_EQ(std::string(buffer, 8), std::string("Alpha\0\0X", 8));
}

TEST_F(ProfileRead, MatchesDoubleByteNamesAsCharacters)
{
    const std::string zo = "\x83\x5D";  // trail byte ']'
    const std::string a = "\x83\x41";
    const std::string di = "\x83\x61";
    writeBytes(file, "[" + zo + "]\r\n" + a + "=A\r\n" + di + "=DI\r\n[\x95\x5C]\r\nk=table\r\n");
    EXPECT_EQ(read(file, zo.c_str(), a.c_str()), "A");
    EXPECT_EQ(read(file, zo.c_str(), di.c_str()), "DI");
    EXPECT_EQ(read(file, "\x95\x5C", "K"), "table");
    EXPECT_EQ(read(file, nullptr, nullptr), zo + '\0' + "\x95\x5C" + '\0');
    // Full-width, Greek and Cyrillic capitals fold with their small partners.
    writeBytes(file, "[\x82\x60\x83\x9F]\r\n\x84\x40=small\r\n");
    EXPECT_EQ(read(file, "\x82\x81\x83\xBF", "\x84\x70"), "small");
    EXPECT_EQ(read(file, "\x82\x81\x83\xBF", "a"), "dflt");
}

TEST_F(ProfileRead, ReadsIntegers)
{
    writeBytes(file, "[n]\na=42\nb= -5\nc=0x1F\nd=abc\ne=\nf=12ab\n");
    EXPECT_EQ(GetPrivateProfileIntA("n", "a", 7, file.c_str()), 42u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "b", 7, file.c_str()), uint32_t(-5));
    EXPECT_EQ(GetPrivateProfileIntA("n", "c", 7, file.c_str()), 31u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "d", 7, file.c_str()), 0u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "e", 7, file.c_str()), 7u);
    EXPECT_EQ(GetPrivateProfileIntA("n", "f", 7, file.c_str()), 12u);
}

TEST_F(ProfileRead, SeesChangesMadeByOtherWriters)
{
    writeBytes(file, "[s]\nk=old\n");
    EXPECT_EQ(read(file, "s", "k"), "old");
    // Same size, same inode, rewritten in place: only the time stamp differs.
    writeBytes(file, "[s]\nk=new\n");
    struct timespec times[2] = {{0, UTIME_OMIT}, {1000, 123456789}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    EXPECT_EQ(read(file, "s", "k"), "new");
    // Replaced by another file.
    const std::string other = folder.file("other.ini");
    writeBytes(other, "[s]\nk=replaced\n");
    ASSERT_EQ(::rename(other.c_str(), file.c_str()), 0);
    EXPECT_EQ(read(file, "s", "k"), "replaced");
    ASSERT_EQ(::unlink(file.c_str()), 0);
    EXPECT_EQ(read(file, "s", "k"), "dflt");
}

TEST_F(ProfileRead, ResolvesRelativePathsInTheCurrentFolder)
{
    TempFolder other;
    writeBytes(folder.file("rel.ini"), "[s]\nk=first\n");
    writeBytes(other.file("rel.ini"), "[s]\nk=second\n");
    char* previous = ::getcwd(nullptr, 0);
    ASSERT_EQ(::chdir(folder.path().c_str()), 0);
    EXPECT_EQ(read("rel.ini", "s", "k"), "first");
    ASSERT_EQ(::chdir(other.path().c_str()), 0);
    EXPECT_EQ(read("rel.ini", "s", "k"), "second");
    EXPECT_EQ(::chdir(previous), 0);
    std::free(previous);
}

TEST_F(ProfileRead, SurvivesBinaryAndHugeFiles)
{
    static const char kBinary[] = "[s]\0\nk=a\0b\n\xFF\xFE[\x81]\n=\n[";
    const std::string binary(kBinary, sizeof kBinary - 1);
    writeBytes(file, binary);
    // NUL bytes are ordinary bytes: the value comes back with its count.
    EXPECT_EQ(read(file, "s", "k"), std::string("a\0b", 3));
    EXPECT_EQ(read(file, "s", ""), "");
    EXPECT_EQ(read(file, "\x81]", nullptr), "");

    std::string huge = "[big]\nk=" + std::string(10 << 20, 'v');
    writeBytes(file, huge);
    std::string buffer(100, 'X');
    EXPECT_EQ(GetPrivateProfileStringA("big", "k", "", buffer.data(), 100, file.c_str()), 99u);
    EXPECT_EQ(buffer, std::string(99, 'v') + '\0');

    std::string longPath = folder.path() + std::string(600, 'p');
    EXPECT_EQ(read(longPath, "s", "k"), "dflt");
}

TEST_F(ProfileRead, SeesChangesMadeByAnotherProcessWithAndWithoutAPause)
{
    // Every value has the same length: a write in place keeps the inode and
    // the size, and without a pause often the time stamp too.
    const auto content = [](int i) {
        char text[32];
        std::snprintf(text, sizeof text, "[s]\r\nk=v%04d\r\n", i);
        return std::string(text);
    };
    const auto value = [](int i) {
        char text[8];
        std::snprintf(text, sizeof text, "v%04d", i);
        return std::string(text);
    };
    writeBytes(file, content(0));
    EXPECT_EQ(read(file, "s", "k"), value(0));

    // A writer that is already running answers within microseconds.
    OtherWriter other(file, folder.file("other.tmp"));
    for (int i = 1; i <= 400; ++i) {
        ASSERT_TRUE(other.write(content(i), i % 4 == 0));
        if (i % 100 == 0)
            ::usleep(20000);  // with a pause
        ASSERT_EQ(read(file, "s", "k"), value(i)) << "write " << i;
        ASSERT_EQ(read(file, "s", "k"), value(i)) << "write " << i;
    }

    // A process started for one write.
    for (int i = 401; i <= 420; ++i) {
        ASSERT_TRUE(writeFromNewProcess(file, content(i)));
        ASSERT_EQ(read(file, "s", "k"), value(i)) << "write " << i;
    }

    // While another thread reads the file without a pause: what this thread
    // learnt through its own system calls still counts.
    std::atomic<bool> stop{false};
    std::thread reader([&] {
        char buffer[16];
        while (!stop.load(std::memory_order_relaxed))
            GetPrivateProfileStringA("s", "k", "", buffer, sizeof buffer, file.c_str());
    });
    for (int i = 421; i <= 620; ++i) {
        ASSERT_TRUE(other.write(content(i), i % 4 == 0));
        ASSERT_EQ(read(file, "s", "k"), value(i)) << "write " << i;
    }
    stop = true;
    reader.join();

    // A loop of reads that makes no system call of its own sees the change
    // soon all the same.
    std::thread writer([&] { other.write(content(621), false); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (read(file, "s", "k") != value(621) && std::chrono::steady_clock::now() < deadline) {
    }
    writer.join();
    EXPECT_EQ(read(file, "s", "k"), value(621));
}
