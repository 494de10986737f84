#pragma once

namespace report {

// Maps the font names templates use ("宋体", "黑体", "SimSun", ...) onto the Chinese faces
// installed here (AR PL UMing, WenQuanYi Micro Hei). Safe to call more than once.
void installChineseFontSubstitutes();

} // namespace report
