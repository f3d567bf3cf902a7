#include "output/SafeFileWriter.h"

#include <algorithm>

#include <QDir>
#include <QSaveFile>

#include "model/DocumentFile.h"

namespace {

QString NotWritten(const QString &path, const QString &reason)
{
    return QStringLiteral("The file %1 could not be written: %2.").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

// Gathers small writes (a PDF is written a few bytes at a time) into large
// pieces for the temporary file, which is opened unbuffered: Qt's own
// buffer takes part of a piece without a word when the disk is full, and
// forgets the system's reason by the time it notices.  Here a short write
// is followed by a write of the rest, which fails and says why.
class SafeFile::CheckedDevice : public QIODevice {
public:
    explicit CheckedDevice(const QString &path) : file_(path) {}

    bool OpenFile()
    {
        if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
            reason_ = file_.errorString();
            return false;
        }
        return QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool Flush()
    {
        const bool ok = WriteThrough(buffer_.constData(), buffer_.size());
        buffer_.clear();
        return ok;
    }
    bool Failed() const { return !reason_.isEmpty(); }
    const QString &Reason() const { return reason_; }
    QSaveFile &File() { return file_; }

    // A film's container goes back to finish its index: a seek writes out
    // what is gathered and moves in the temporary file.
    bool isSequential() const override { return false; }
    bool seek(qint64 position) override
    {
        if (Failed() || !Flush())
            return false;
        if (!file_.seek(position)) {
            reason_ = file_.errorString();
            setErrorString(reason_);
            return false;
        }
        return QIODevice::seek(position);
    }
    qint64 size() const override { return std::max(file_.size(), file_.pos() + qint64(buffer_.size())); }
    void close() override
    {
        Flush();
        QIODevice::close();
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        if (Failed())
            return -1;
        if (buffer_.size() + size > kPiece && !Flush())
            return -1;
        if (size >= kPiece)
            return WriteThrough(data, size) ? size : -1;
        buffer_.append(data, size);
        return size;
    }

private:
    static constexpr qint64 kPiece = qint64(1) << 16;

    bool WriteThrough(const char *data, qint64 size)
    {
        while (size > 0 && !Failed()) {
            const qint64 written = file_.write(data, size);
            if (written <= 0) {
                reason_ = file_.error() != QFileDevice::NoError ? file_.errorString()
                                                                : QStringLiteral("nothing more could be written");
                setErrorString(reason_);
                break;
            }
            data += written;
            size -= written;
        }
        return !Failed();
    }

    QSaveFile file_;
    QByteArray buffer_;
    QString reason_;
};

SafeFile::SafeFile(const QString &path) : path_(path) {}

SafeFile::~SafeFile()
{
    if (device_)
        device_->File().cancelWriting();
}

bool SafeFile::Fail(const QString &reason)
{
    if (error_.isEmpty())
        error_ = NotWritten(path_, reason);
    if (device_)
        device_->File().cancelWriting();
    return false;
}

bool SafeFile::Open()
{
    if (HoldsOtherThanRegularFile(path_)) {
        error_ = NotRegularFileMessage(path_);
        return false;
    }
    device_ = std::make_unique<CheckedDevice>(path_);
    if (!device_->OpenFile()) {
        const QString reason = device_->Reason();
        device_.reset();
        return Fail(reason);
    }
    return true;
}

bool SafeFile::Write(const std::function<bool(QIODevice &)> &write)
{
    if (!device_)
        return false;
    const bool produced = write(*device_);
    const bool flushed = device_->Flush();
    if (!flushed || device_->Failed())
        return Fail(device_->Reason());
    if (!produced)
        return Fail(QStringLiteral("writing stopped"));
    return true;
}

bool SafeFile::Commit()
{
    if (!device_ || !error_.isEmpty())
        return false;
    if (!device_->Flush())
        return Fail(device_->Reason());
    QSaveFile &file = device_->File();
    if (!file.commit()) {
        const QString reason = file.errorString();
        device_.reset();
        return Fail(reason);
    }
    device_.reset();
    return true;
}

bool WriteFileSafely(const QString &path, const std::function<bool(QIODevice &)> &write,
                     QString *error)
{
    SafeFile file(path);
    const bool written = file.Open() && file.Write(write) && file.Commit();
    if (!written && error)
        *error = file.Error();
    return written;
}
