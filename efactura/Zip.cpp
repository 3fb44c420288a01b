#include "efactura/Zip.h"

#include <QFile>
#include <algorithm>
#include <cstring>

namespace kov::efactura {

MemoryZipFile::MemoryZipFile(QByteArray data) : data_(std::move(data)) {
    functions_.zopen64_file = &MemoryZipFile::open;
    functions_.zread_file = &MemoryZipFile::read;
    functions_.zwrite_file = &MemoryZipFile::write;
    functions_.ztell64_file = &MemoryZipFile::tell;
    functions_.zseek64_file = &MemoryZipFile::seek;
    functions_.zclose_file = &MemoryZipFile::close;
    functions_.zerror_file = &MemoryZipFile::error;
    functions_.opaque = this;
}

voidpf MemoryZipFile::open(voidpf self, const void*, int mode) {
    auto* file = static_cast<MemoryZipFile*>(self);
    if (mode & ZLIB_FILEFUNC_MODE_CREATE) {
        file->data_.clear();
    }
    file->pos_ = 0;
    return file;
}

uLong MemoryZipFile::read(voidpf self, voidpf, void* buf, uLong size) {
    auto* file = static_cast<MemoryZipFile*>(self);
    const qint64 n = std::clamp<qint64>(file->data_.size() - file->pos_, 0, size);
    std::memcpy(buf, file->data_.constData() + file->pos_, static_cast<size_t>(n));
    file->pos_ += n;
    return static_cast<uLong>(n);
}

uLong MemoryZipFile::write(voidpf self, voidpf, const void* buf, uLong size) {
    auto* file = static_cast<MemoryZipFile*>(self);
    const qint64 end = file->pos_ + static_cast<qint64>(size);
    if (end > file->data_.size()) {
        file->data_.resize(end);
    }
    std::memcpy(file->data_.data() + file->pos_, buf, size);
    file->pos_ = end;
    return size;
}

ZPOS64_T MemoryZipFile::tell(voidpf self, voidpf) {
    return static_cast<ZPOS64_T>(static_cast<MemoryZipFile*>(self)->pos_);
}

long MemoryZipFile::seek(voidpf self, voidpf, ZPOS64_T offset, int origin) {
    auto* file = static_cast<MemoryZipFile*>(self);
    qint64 base = 0;
    if (origin == ZLIB_FILEFUNC_SEEK_CUR) {
        base = file->pos_;
    } else if (origin == ZLIB_FILEFUNC_SEEK_END) {
        base = file->data_.size();
    }
    // The offset is unsigned, yet minizip passes negative ones from the end wrapped around.
    const qint64 pos = base + static_cast<qint64>(offset);
    if (pos < 0 || pos > file->data_.size()) {
        return -1;
    }
    file->pos_ = pos;
    return 0;
}

int MemoryZipFile::close(voidpf, voidpf) {
    return 0;
}

int MemoryZipFile::error(voidpf, voidpf) {
    return 0;
}

ZipReader::ZipReader(const QString& path) : zip_(unzOpen64(QFile::encodeName(path).constData())) {}

ZipReader::ZipReader(const QByteArray& zip)
    : memory_(std::make_unique<MemoryZipFile>(zip)), zip_(unzOpen2_64("", memory_->functions())) {}

ZipReader::~ZipReader() {
    if (zip_) {
        unzClose(zip_);
    }
}

bool ZipReader::first() {
    return zip_ && unzGoToFirstFile(zip_) == UNZ_OK;
}

bool ZipReader::next() {
    return zip_ && unzGoToNextFile(zip_) == UNZ_OK;
}

std::optional<ZipEntry> ZipReader::entry() const {
    unz_file_info64 info{};
    if (!zip_ ||
        unzGetCurrentFileInfo64(zip_, &info, nullptr, 0, nullptr, 0, nullptr, 0) != UNZ_OK) {
        return std::nullopt;
    }
    QByteArray name(static_cast<qsizetype>(info.size_filename), '\0');
    if (unzGetCurrentFileInfo64(zip_, &info, name.data(), info.size_filename, nullptr, 0, nullptr,
                                0) != UNZ_OK) {
        return std::nullopt;
    }
    // Bit 11 marks a UTF-8 name; older archivers wrote the system's own encoding.
    const bool utf8 = info.flag & (1u << 11);
    return ZipEntry{utf8 ? QString::fromUtf8(name) : QString::fromLocal8Bit(name),
                    info.uncompressed_size};
}

std::optional<QByteArray> ZipReader::read(qint64 limit) {
    if (!zip_ || unzOpenCurrentFile(zip_) != UNZ_OK) {
        return std::nullopt;
    }
    QByteArray out;
    char chunk[65536];
    while (out.size() < limit) {
        const qint64 want = std::min<qint64>(sizeof chunk, limit - out.size());
        const int got = unzReadCurrentFile(zip_, chunk, static_cast<unsigned>(want));
        if (got <= 0) {
            break;
        }
        out.append(chunk, got);
    }
    unzCloseCurrentFile(zip_);
    return out;
}

}  // namespace kov::efactura
