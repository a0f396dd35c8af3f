#pragma once

#include <QString>

// Copies a file whole: the copy is written to a temporary file beside the
// target and renamed only when complete, with the source's permissions (a copied
// program stays executable). A copy that fails half way (a full disk) leaves no
// partial file behind. Files larger than maxBytes are not copied.
bool CopyFileWhole(const QString& from, const QString& to, qint64 maxBytes = qint64(1) << 30);
