// Free fonts of Debian packages (fonts-dejavu-core, fonts-liberation2,
// fonts-urw-base35) the digit tests draw numerals with. A missing font file
// is left out by the tests.
#pragma once

namespace quon::test {

struct FontFile {
    const char* path;
    const char* style; // sans, serif, mono
};

// Upright faces, regular and bold.
inline const FontFile UprightFonts[] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "sans"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "sans"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf", "serif"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf", "serif"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf", "mono"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf", "sans"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "sans"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSerif-Bold.ttf", "serif"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSerif-Regular.ttf", "serif"},
    {"/usr/share/fonts/truetype/liberation2/LiberationMono-Bold.ttf", "mono"},
    {"/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf", "mono"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Bold.otf", "sans"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", "sans"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusSansNarrow-Bold.otf", "sans"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusRoman-Bold.otf", "serif"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusRoman-Regular.otf", "serif"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Bold.otf", "mono"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Regular.otf", "mono"},
    {"/usr/share/fonts/opentype/urw-base35/C059-Bold.otf", "serif"},
    {"/usr/share/fonts/opentype/urw-base35/URWGothic-Demi.otf", "sans"},
};

// Oblique and italic faces.
inline const FontFile SlantedFonts[] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-Oblique.ttf", "sans"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans-BoldOblique.ttf", "sans"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Italic.ttf", "sans"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSerif-BoldItalic.ttf", "serif"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Italic.otf", "sans"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusRoman-Italic.otf", "serif"},
    {"/usr/share/fonts/opentype/urw-base35/NimbusMonoPS-Italic.otf", "mono"},
};

} // namespace quon::test
