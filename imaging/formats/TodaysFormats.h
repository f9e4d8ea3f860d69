#pragma once
// Today's photo and screenshot formats: PNG, WebP, HEIF and AVIF. They are registered after the
// rows of the format table (the loader for files without an extension included), straight into
// the process-wide registry, so the table's rows keep their order and content.

namespace corvane {

void RegisterTodaysFormats();
void UnregisterTodaysFormats();

}  // namespace corvane
