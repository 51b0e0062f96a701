#include "playerpage/film_site.h"

#include <initializer_list>

#include "settings/host_settings.h"
#include "text/codepage.h"

namespace velmora {

namespace {

// The system identifier and namespace name that W3C publishes for
// XHTML 1.0 Transitional.
constexpr const char* kXhtmlDoctype =
    "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
    "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">";
constexpr const char* kXhtmlNamespace = "http://www.w3.org/1999/xhtml";

// Lines joined by CR LF, with no line end after the last, so the cut
// stretch follows the head directly.
Text joinLines(std::initializer_list<Text> lines) {
    Text out;
    bool first = true;
    for (const Text& line : lines) {
        if (!first) out += "\r\n";
        out += line;
        first = false;
    }
    return out;
}

FilmSiteTable xunboTable(const Text& base) {
    FilmSiteTable t;
    t.startMarker = "<div class=\"rightsideBar fl\">";
    t.endMarker = "<script>getVideoHit";
    t.fixUps = {
        {"href='/play", "href='" + base + "/play"},
        {"/js/", base + "/js/"},
        {"/pl.gif", base + "/pl.gif"},
        {"<iframe src=\"/baiduad/468-60.html\" marginheight=\"0\" marginwidth=\"0\" frameborder=\"0\" "
         "scrolling=\"no\" style=\"width:468px;height:60px;\"></iframe>",
         ""},
    };
    t.pageHead = joinLines({
        kXhtmlDoctype,
        Text("<html xmlns=\"") + kXhtmlNamespace + "\" >",
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />",
        "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=7\" />",
        gbk("<title>迅播影院</title>"),
        "<link rel=\"stylesheet\" href=\"" + base +
            "/template/xunbocc2013nocdn/images/css/xunbo.css\" media=\"screen\" type=\"text/css\" />",
        "<link rel=\"stylesheet\" href=\"" + base +
            "/template/xunbocc2013nocdn/images/css/xstyle.css\" media=\"screen\" type=\"text/css\" />",
        "<script>var sitePath='';</script>",
        "<script src=\"" + base + "/js/common.js\"></script>",
        "<script src=\"" + base + "/js/function.js\"></script>",
        "<script type=\"text/javascript\" src=\"" + base + "/js/function-1.0.2.js\"></script>",
        "</head>",
        "<body>",
        "<div class=\"topnav cb wrap bSd\">",
    });
    return t;
}

FilmSiteTable shuangshiTable(const Text& base) {
    FilmSiteTable t;
    t.startMarker = "<div class=\"biaoti\">";
    t.endMarker = "</center>";
    t.fixUps = {
        {"/video/", base + "/video/"},
        // The tail of the address of the advertising script the pages load.
        {"ui/c.js", "123.js"},
    };
    t.pageHead = joinLines({
        kXhtmlDoctype,
        Text("<html xmlns=\"") + kXhtmlNamespace + "\">",
        "<head>",
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\" />",
        "<meta http-equiv=\"X-UA-Compatible\" content=\"IE=EmulateIE7\" />",
        gbk("<title>双视影院</title>"),
        "<link href=\"" + base + "/css/specials.css\" rel=\"stylesheet\" type=\"text/css\" />",
        "<script type=\"text/javascript\" src=\"" + base + "/js/common.js\"></script>",
        "</head>",
        "<body>",
        "<center>",
    });
    return t;
}

}  // namespace

Text filmSiteBaseAddress(FilmSite site) {
    HostSettings settings = hostSettings();
    return baseAddress(site == FilmSite::Xunbo ? settings.site[0] : settings.shuangshiFilmHost);
}

FilmSiteTable filmSiteTable(FilmSite site, const Text& base) {
    return site == FilmSite::Xunbo ? xunboTable(base) : shuangshiTable(base);
}

bool filmSiteForLabel(const Text& gbkLabel, FilmSite* site) {
    static const Text xunbo = gbk("讯播电影网");
    static const Text shuangshi = gbk("双视电影网");
    FilmSite found;
    if (gbkLabel == xunbo) {
        found = FilmSite::Xunbo;
    } else if (gbkLabel == shuangshi) {
        found = FilmSite::Shuangshi;
    } else {
        return false;
    }
    if (site) *site = found;
    return true;
}

}  // namespace velmora
