#pragma once

#include <QString>
#include <cstdint>

// Where a mirror's files live.
//
// Profiles: <program folder>/mirrors/<name>.ini.
// Results: <textpath>/<WorkFile>/ and below it one folder per format:
//   TextData/test<N>.txt     plain-text results
//   Figure/Test<N>.fig       Figure45 input
//   SixTests/Test<N>.set     SixTests input
//   Images/Test<N>/          saved zone frames
//
// Every path is found without regard to letter case: components that exist are
// returned as spelled on disk, the others as spelled here, so the same function
// serves writers (which make what is missing) and readers.
//
// A function returns an empty string when the path cannot be built safely: an
// empty textpath, or a profile name that is not one plain name component
// (MirrorName.h). Callers treat an empty path as a failure.

// <program folder>/mirrors
QString MirrorsFolder();

// <program folder>/mirrors/<name>.ini; empty for an unusable name.
QString MirrorProfilePath(const QString& name);

// <textpath>/<workFile>
QString MirrorResultFolder(const QString& textpath, const QString& workFile);

// <textpath>/<workFile>/<format>, format being "TextData", "Figure", "SixTests"
// or "Images".
QString ResultFormatFolder(const QString& textpath, const QString& workFile, const QString& format);

// <textpath>/<workFile>/TextData/test<N>.txt
QString TextResultFilePath(const QString& textpath, const QString& workFile, int32_t testNumber);

// <textpath>/<workFile>/Figure/Test<N>.fig
QString FigureInputFilePath(const QString& textpath, const QString& workFile, int32_t testNumber);

// <textpath>/<workFile>/SixTests/Test<N>.set
QString SixTestsInputFilePath(const QString& textpath, const QString& workFile, int32_t testNumber);

// <textpath>/<workFile>/Images/Test<N>
QString TestImagesFolder(const QString& textpath, const QString& workFile, int32_t testNumber);
