#pragma once
// How drawing code tells its caller about a resource file it cannot use as
// it is (a bitmap missing or damaged, a font that cannot be loaded or whose
// glyph data is cut short): the file as the project names it and what is
// wrong, in words. The picture is still drawn, with an empty image or the
// built-in font; without a sink nobody is told.

#include <functional>
#include <string>

namespace tavo {

using ResourceProblemSink =
    std::function<void(const std::string& file, const std::string& problem)>;

}  // namespace tavo
