#pragma once

#include <QString>

// An application folder of 100,000 skins, each with a short description and a
// preview of about 200 KB (384 × 256 JPEG of noise); the previews are hard
// links to a few pictures, so that the folder costs little disk. Made once per run.
QString GalleryFolder();

inline constexpr int kGallerySkins = 100000;
