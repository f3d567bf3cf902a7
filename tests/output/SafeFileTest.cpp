#include <functional>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "OutputTestSupport.h"
#include "output/SafeFileWriter.h"

namespace {

bool WriteText(const QString &path, const QByteArray &text)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// The system takes part of a write when the disk fills or the file-size
// limit is reached, and says why only when asked for the rest.  Whether the
// writer looks at what each write returned (one large piece, given up on
// failure) or not (a PDF's many small pieces), the file is not written, the
// old one stays and the message gives the system's reason.
TEST(SafeFile, ShortWritesFailWithTheSystemsReasonAndKeepTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.bin"));
    ASSERT_TRUE(WriteText(path, "old"));
    const QByteArray piece(100000, 'x');
    const std::function<bool(QIODevice &)> writers[] = {
        [&](QIODevice &out) { return out.write(piece) == piece.size(); },
        [](QIODevice &out) {
            for (int i = 0; i < 10000; ++i)
                out.write("0123456789");
            return true;
        },
    };
    for (const auto &write : writers) {
        QString error;
        bool written = true;
        {
            FileSizeLimit limit(16384);
            written = WriteFileSafely(path, write, &error);
        }
        EXPECT_FALSE(written);
        EXPECT_EQ(error, QStringLiteral("The file %1 could not be written: File too large.").arg(path));
        EXPECT_EQ(ReadFileBytes(path), QByteArray("old"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.bin"});
    }
}

// Renaming the new file over a FIFO or a device would destroy it: they are
// refused and left as they were.  A link to a regular file is followed: the
// file it names gets the new bytes, the link stays.
TEST(SafeFile, OnlyRegularFilesAreReplaced)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.png"));
    const QString device = dir.filePath(QStringLiteral("null.dxf"));
    const QString folder = dir.filePath(QStringLiteral("folder.pdf"));
    ASSERT_TRUE(MakeFifo(fifo));
    ASSERT_TRUE(MakeLinkToDevice(device));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.pdf")));
    const auto write = [](QIODevice &out) { return out.write("new") == 3; };
    for (const QString &path : {fifo, device, folder}) {
        QString error;
        EXPECT_FALSE(WriteFileSafely(path, write, &error)) << path.toStdString();
        EXPECT_EQ(error, QStringLiteral("%1 is not a regular file.").arg(path));
    }
    EXPECT_TRUE(IsFifo(fifo));
    EXPECT_TRUE(IsLinkToDevice(device));
    EXPECT_TRUE(QFileInfo(folder).isDir());

    const QString target = dir.filePath(QStringLiteral("target.bmp"));
    const QString link = dir.filePath(QStringLiteral("link.bmp"));
    ASSERT_TRUE(WriteText(target, "old"));
    ASSERT_TRUE(QFile::link(target, link));
    QString error;
    EXPECT_TRUE(WriteFileSafely(link, write, &error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(ReadFileBytes(target), QByteArray("new"));
}

} // namespace
