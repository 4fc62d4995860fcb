#include "app/settings_template.h"

#include <cstdio>

namespace quelbrix {

namespace {

#define LINE "\r\n"
constexpr char kTemplate[] =
    ";--------------------------------------------" LINE ";QuelbrixU設定ファイル" LINE
    ";編集すると思わぬ事態を招くおそれがあります。" LINE
    ";--------------------------------------------" LINE LINE "[ver]" LINE "main=%d" LINE
    "beta=%d" LINE LINE "[main]" LINE "formal=0" LINE "under=1" LINE LINE "[whole]" LINE
    "nProgress=0" LINE "nKanji=0" LINE "nCount=0" LINE "relative=0" LINE "appli=0" LINE "path=" LINE
    "error=0" LINE LINE "[type]" LINE "all_type=1" LINE "t1=txt" LINE "t2=html,htm,shtml,css" LINE
    "t3=cgi,pl,php,asp" LINE "t4=frm,bas,vbs" LINE "t5=pas,dpr" LINE "t6=c,cpp,cc,h,hpp" LINE
    "t7=java,class,js" LINE "t8=asm,inc" LINE "t9=as,hmw,tts" LINE "t10=ini,inf,url" LINE
    "t11=bat" LINE "v1=1" LINE "v2=1" LINE "v3=1" LINE "v4=1" LINE "v5=1" LINE "v6=1" LINE
    "v7=1" LINE "v8=1" LINE "v9=1" LINE "v10=1" LINE "v11=1" LINE LINE "[path_history]" LINE
    "h0=" LINE "h1=" LINE "h2=" LINE "h3=" LINE "h4=" LINE "h5=" LINE "h6=" LINE "h7=" LINE
    "h8=" LINE "h9=" LINE "h10=" LINE "h11=" LINE "h12=" LINE "h13=" LINE "h14=" LINE "h15=" LINE
    "h16=" LINE "h17=" LINE "h18=" LINE "h19=" LINE LINE "[word_history]" LINE "h0=" LINE "h1=" LINE
    "h2=" LINE "h3=" LINE "h4=" LINE "h5=" LINE "h6=" LINE "h7=" LINE "h8=" LINE "h9=" LINE
    "h10=" LINE "h11=" LINE "h12=" LINE "h13=" LINE "h14=" LINE "h15=" LINE "h16=" LINE "h17=" LINE
    "h18=" LINE "h19=" LINE;
#undef LINE

}  // namespace

std::string FormatSettingsTemplate(int version, int beta) {
    char text[4096];
    int length = std::snprintf(text, sizeof text, kTemplate, version, beta);
    if (length < 0) return "";
    return std::string(text,
                       static_cast<std::size_t>(length) < sizeof text ? length : sizeof text - 1);
}

}  // namespace quelbrix
