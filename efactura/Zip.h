#pragma once
// ZIP archives through minizip, read from a file or from memory.

#include <minizip/ioapi.h>
#include <minizip/unzip.h>

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

namespace kov::efactura {

// minizip's file functions over a byte array: the platform's answers arrive as bytes and are
// read where they are, without a temporary file; the tests write their ZIPs the same way.
class MemoryZipFile {
  public:
    explicit MemoryZipFile(QByteArray data = {});
    MemoryZipFile(const MemoryZipFile&) = delete;
    MemoryZipFile& operator=(const MemoryZipFile&) = delete;

    zlib_filefunc64_def* functions() { return &functions_; }
    const QByteArray& data() const { return data_; }

  private:
    static voidpf open(voidpf self, const void* name, int mode);
    static uLong read(voidpf self, voidpf stream, void* buf, uLong size);
    static uLong write(voidpf self, voidpf stream, const void* buf, uLong size);
    static ZPOS64_T tell(voidpf self, voidpf stream);
    static long seek(voidpf self, voidpf stream, ZPOS64_T offset, int origin);
    static int close(voidpf self, voidpf stream);
    static int error(voidpf self, voidpf stream);

    QByteArray data_;
    qint64 pos_ = 0;
    zlib_filefunc64_def functions_{};
};

// One entry of a ZIP as its central directory tells it.
struct ZipEntry {
    QString name;
    quint64 declaredSize = 0;
};

// The entries of a ZIP one after another; the archive closes with the reader.
class ZipReader {
  public:
    explicit ZipReader(const QString& path);
    explicit ZipReader(const QByteArray& zip);
    ~ZipReader();
    ZipReader(const ZipReader&) = delete;
    ZipReader& operator=(const ZipReader&) = delete;

    bool isOpen() const { return zip_ != nullptr; }
    // Moves to the first / next entry; false past the last one or on a damaged directory.
    bool first();
    bool next();
    std::optional<ZipEntry> entry() const;
    // The current entry's contents, at most `limit` bytes; nothing when it cannot be opened.
    std::optional<QByteArray> read(qint64 limit);

  private:
    std::unique_ptr<MemoryZipFile> memory_;
    unzFile zip_ = nullptr;
};

}  // namespace kov::efactura
