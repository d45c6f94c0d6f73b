// The painters of the individual sheets; writeImages (images.cpp) runs them.
#pragma once

#include <string>

// Each paints its sheet(s) and writes them into imgDir; false (with the reason
// on stderr) when a sheet could not be drawn or written.
bool writeElementSheets(const std::string& imgDir);          // objects.png, objects_monochro.png
bool writeFlowerSheets(const std::string& imgDir);           // objects2.png, objects2_monochro.png
bool writeFilterSheet(const std::string& imgDir);            // bg_filter.png
bool writeLogoSheet(const std::string& imgDir);              // logo.png
bool writePlantAndCreatureSheet(const std::string& imgDir);  // effect.png
bool writeSeedAndHintSheet(const std::string& imgDir);       // effect2.png

struct Sheet;
// Parts of the interface sheet painted pixel by pixel (images_logo_font.cpp).
void paintBitmapFont(Sheet& sheet);  // 88 glyphs 8 x 12 from (350, 150), 13 a row
void paintTextDigits(Sheet& sheet);  // digits 8 x 12 from (260, 150), with a dark rim
