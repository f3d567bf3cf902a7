// The buffered archive shares its descriptor with the library's blocks:
// flushing must leave the file position exactly after the archive's data.
#include <fcntl.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "FileTestSupport.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"

namespace {

class ArchiveTest : public ::testing::Test {
protected:
    int OpenFile(int flags)
    {
        const int fd = ::open(path.toLocal8Bit().constData(), flags, 0644);
        EXPECT_GE(fd, 0);
        return fd;
    }

    QTemporaryDir dir;
    QString path = dir.filePath("archive.bin");
};

TEST_F(ArchiveTest, FlushedWriterAndDirectWritesInterleave)
{
    for (size_t bufferSize : {size_t(3), size_t(4096)}) {
        const int fd = OpenFile(O_WRONLY | O_CREAT | O_TRUNC);
        {
            ArchiveWriter ar(fd, bufferSize);
            ar.WriteInt32(-2);
            ar.WriteDouble(0.5);
            ASSERT_TRUE(ar.Flush());
            ASSERT_EQ(::write(fd, "BLOCK", 5), 5);
            ar.WriteString("tail");
            ar.WriteUInt16(0xABCD);
            ASSERT_TRUE(ar.Flush());
        }
        ::close(fd);
        Bytes expected;
        expected.I32(-2).F64(0.5).Raw("BLOCK").U8(4).Raw("tail").U16(0xABCD);
        EXPECT_EQ(ReadAll(path), expected.data) << bufferSize;
    }
}

TEST_F(ArchiveTest, ReaderFlushGivesTheReadAheadBack)
{
    Bytes file;
    file.U32(0xDEADBEEF).Raw("BLOCK").I32(-7).U8(2).Raw("ok");
    WriteAll(path, file.data);
    for (size_t bufferSize : {size_t(2), size_t(4096)}) {
        const int fd = OpenFile(O_RDONLY);
        ArchiveReader ar(fd, bufferSize);
        EXPECT_EQ(ar.ReadUInt32(), 0xDEADBEEFu);
        EXPECT_EQ(ar.Remaining(), int64_t(file.data.size() - 4));
        ASSERT_TRUE(ar.Flush());
        char block[5];
        ASSERT_EQ(::read(fd, block, 5), 5);
        EXPECT_EQ(std::string(block, 5), "BLOCK");
        EXPECT_EQ(ar.ReadInt32(), -7);
        EXPECT_EQ(ar.ReadString(), "ok");
        EXPECT_TRUE(ar.Ok());
        EXPECT_EQ(ar.Remaining(), 0);
        ::close(fd);
    }
}

TEST_F(ArchiveTest, ReadingPastTheEndFailsAndStaysFailed)
{
    WriteAll(path, std::string("\x01\x02\x03", 3));
    const int fd = OpenFile(O_RDONLY);
    ArchiveReader ar(fd);
    EXPECT_EQ(ar.ReadInt32(), 0);
    EXPECT_FALSE(ar.Ok());
    EXPECT_EQ(ar.ReadByte(), 0);
    EXPECT_FALSE(ar.Ok());
    ::close(fd);
}

TEST_F(ArchiveTest, StringLengthPrefixes)
{
    const struct {
        size_t length;
        Bytes prefix;
    } cases[] = {
        {0, Bytes().U8(0)},
        {254, Bytes().U8(254)},
        {255, Bytes().U8(0xFF).U16(255)},
        {300, Bytes().U8(0xFF).U16(300)},
        {0xFFFD, Bytes().U8(0xFF).U16(0xFFFD)},
        {0xFFFE, Bytes().U8(0xFF).U16(0xFFFF).U32(0xFFFE)},
        {70000, Bytes().U8(0xFF).U16(0xFFFF).U32(70000)},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.length);
        const std::string text(c.length, 's');
        const int out = OpenFile(O_WRONLY | O_CREAT | O_TRUNC);
        {
            ArchiveWriter ar(out);
            ar.WriteString(text);
            ASSERT_TRUE(ar.Flush());
        }
        ::close(out);
        EXPECT_EQ(ReadAll(path), c.prefix.data + text);

        const int in = OpenFile(O_RDONLY);
        ArchiveReader ar(in);
        EXPECT_EQ(ar.ReadString(), text);
        EXPECT_TRUE(ar.Ok());
        ::close(in);
    }
}

TEST_F(ArchiveTest, SixteenBitStringsAreConvertedToTheDocumentCodePage)
{
    Bytes file;
    file.U8(0xFF).U16(0xFFFE).U8(3).U16('a').U16(0xE9).U16('b');
    file.U8(0xFF).U16(0xFFFE).U8(0xFF).U16(3000);
    for (int i = 0; i < 3000; ++i)
        file.U16(i == 2047 ? 0x20AC : 'w');   // the euro sign across a read boundary
    // Euro sign, em dash; a CJK character, a pair of surrogates and a lone
    // surrogate have no code: one '?' each.
    file.U8(0xFF).U16(0xFFFE).U8(7).U16(0x20AC).U16(0x2014).U16(0x6F22).U16(0xD83D).U16(0xDE00).U16(0xDC00).U16('z');
    WriteAll(path, file.data);
    const int fd = OpenFile(O_RDONLY);
    ArchiveReader ar(fd);
    EXPECT_EQ(ar.ReadString(), "a\xe9"
                               "b");
    std::string long16 = std::string(3000, 'w');
    long16[2047] = '\x80';
    EXPECT_EQ(ar.ReadString(), long16);
    EXPECT_EQ(ar.ReadString(), "\x80\x97???z");
    EXPECT_TRUE(ar.Ok());
    ::close(fd);
}

TEST_F(ArchiveTest, ImpossibleStringLengthsFailWithoutAllocating)
{
    const std::string cases[] = {
        std::string("\xff\xff\xff\xff\xff\xff\xff", 7) + "abc",   // 4 GB
        std::string("\x05", 1) + "abc",                             // cut short
        std::string("\xff\xfe\xff\xff\xfe\xff", 6),                 // nested 16-bit marker
        std::string("\xff\xfe\xff\xff\xff\xff\x00\x00\x00\x40", 10),   // 2 G characters
    };
    for (const std::string &c : cases) {
        WriteAll(path, c);
        const int fd = OpenFile(O_RDONLY);
        ArchiveReader ar(fd);
        EXPECT_EQ(ar.ReadString(), "");
        EXPECT_FALSE(ar.Ok());
        ::close(fd);
    }
}

}  // namespace
