#pragma once

#include "io/workbook/WorkbookReader.h"

#include <QBuffer>
#include <QByteArray>
#include <memory>
#include <optional>

class QuaZip;

namespace yarrow {

// The parts of a zipped workbook held in memory, unpacked one at a time within the limits:
// a part that unpacks beyond maxPartBytes, or parts that together pass maxTotalBytes, refuse the
// workbook whatever sizes the archive claims.
class ZipParts {
public:
    // Raises WorkbookError when bytes are not a readable zip archive.
    ZipParts(const QByteArray& bytes, const WorkbookLimits& limits, std::string bookName);
    ~ZipParts();
    ZipParts(const ZipParts&) = delete;
    ZipParts& operator=(const ZipParts&) = delete;

    // The unpacked part, or nothing when the archive has no part of that name.
    std::optional<QByteArray> Read(const QString& name);

private:
    QByteArray bytes_;
    QBuffer buffer_;
    std::unique_ptr<QuaZip> zip_;
    WorkbookLimits limits_;
    std::string bookName_;
    int64_t total_ = 0;
};

} // namespace yarrow
