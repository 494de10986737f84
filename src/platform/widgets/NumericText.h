#pragma once
#include <QString>
#include <optional>

namespace widgets {

// Reads the text of a calculator box: a number or a small sum ("1200*3+50", "(10+5)/2"),
// ignoring thousands separators, spaces and "￥". Nothing when it is no number or divides by zero.
std::optional<double> evaluateNumber(const QString &text);

} // namespace widgets
