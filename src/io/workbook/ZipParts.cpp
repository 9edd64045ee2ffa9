#include "io/workbook/ZipParts.h"

#include "io/workbook/WorkbookFormats.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace yarrow {

ZipParts::ZipParts(const QByteArray& bytes, const WorkbookLimits& limits, std::string bookName)
    : bytes_(bytes), limits_(limits), bookName_(std::move(bookName)) {
    buffer_.setBuffer(&bytes_);
    zip_ = std::make_unique<QuaZip>(&buffer_);
    if (!zip_->open(QuaZip::mdUnzip))
        Refuse(bookName_, "it is not a workbook, or it is damaged");
}

ZipParts::~ZipParts() {
    if (zip_ && zip_->isOpen())
        zip_->close();
}

std::optional<QByteArray> ZipParts::Read(const QString& name) {
    if (!zip_->setCurrentFile(name, QuaZip::csInsensitive))
        return std::nullopt;
    QuaZipFile part(zip_.get());
    if (!part.open(QIODevice::ReadOnly))
        Refuse(bookName_, "its part " + name.toStdString() + " is damaged");
    QByteArray out;
    char chunk[64 * 1024];
    for (;;) {
        const qint64 n = part.read(chunk, sizeof chunk);
        if (n < 0)
            Refuse(bookName_, "its part " + name.toStdString() + " is damaged");
        if (n == 0)
            break;
        total_ += n;
        const char* const why = " (a damaged or hostile file, or a sheet far larger than a bond table)";
        if (out.size() + n > limits_.maxPartBytes)
            Refuse(bookName_, "its part " + name.toStdString() + " unpacks to more than " +
                                  std::to_string(limits_.maxPartBytes >> 20) + " MB" + why);
        if (total_ > limits_.maxTotalBytes)
            Refuse(bookName_, "its parts unpack to more than " + std::to_string(limits_.maxTotalBytes >> 20) +
                                  " MB together" + why);
        out.append(chunk, n);
    }
    part.close();
    // A part cut short by a truncated archive fails its checksum on closing.
    if (part.getZipError() != UNZ_OK)
        Refuse(bookName_, "its part " + name.toStdString() + " is damaged");
    return out;
}

} // namespace yarrow
