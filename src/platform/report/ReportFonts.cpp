#include "platform/report/ReportFonts.h"

#include <QFont>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace report {

void installChineseFontSubstitutes()
{
    static const bool done = [] {
        const QStringList song = {u"AR PL UMing CN"_s, u"AR PL UMing TW"_s, u"Noto Serif CJK SC"_s,
                                  u"WenQuanYi Micro Hei"_s};
        const QStringList hei = {u"WenQuanYi Micro Hei"_s, u"Noto Sans CJK SC"_s, u"AR PL UMing CN"_s};
        for (const QString &name : {u"宋体"_s, u"SimSun"_s, u"新宋体"_s, u"NSimSun"_s, u"仿宋"_s, u"FangSong"_s,
                                    u"仿宋_GB2312"_s, u"楷体"_s, u"KaiTi"_s, u"楷体_GB2312"_s})
            QFont::insertSubstitutions(name, song);
        for (const QString &name : {u"黑体"_s, u"SimHei"_s, u"微软雅黑"_s, u"Microsoft YaHei"_s})
            QFont::insertSubstitutions(name, hei);
        return true;
    }();
    Q_UNUSED(done);
}

} // namespace report
