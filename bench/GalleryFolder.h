#pragma once

#include <QString>

// An application folder of 100,000 skins, each with a short description and a
// preview of the demo's size (360 × 110 JPEG); the previews are hard links to a
// few pictures, so that the folder costs little disk. Made once per run.
QString GalleryFolder();

inline constexpr int kGallerySkins = 100000;
