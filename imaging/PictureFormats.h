#pragma once
// Fills the picture format registry at start-up and empties it at program end. main() calls
// RegisterPictureFormats once before the first picture is loaded and UnregisterPictureFormats at
// the end; the tests do the same. Registration order decides lookups (the newest entry for an
// extension wins): the built-in formats that the registry starts with, JPEG, the formats listed
// through TFileFormatList (Windows formats, JPEG again, then the further raster formats), the
// loader for files without an extension, and after these rows today's formats (PNG, WebP, HEIF,
// AVIF).

namespace corvane {

// Does nothing when the formats are registered already.
void RegisterPictureFormats();
void UnregisterPictureFormats();
bool PictureFormatsRegistered();

}  // namespace corvane
