// The location look-up's web search: the user's browser opens a search
// engine's results for a text, limited to one web site. Made for one search
// and thrown away, like the component it stands in for.
#pragma once

#include <QString>
#include <QUrl>

#include "platform/platform.h"

namespace tavrinel {

class WebSearch {
public:
    // The web service must outlive the object.
    explicit WebSearch(WebService& web) : web_(web) {}

    // The results page of a search for the text on the site's host, e.g.
    // "Pune MH India Latitude Longitude site:www.latlong.net". Empty when
    // there is nothing to search for or the site names no host.
    [[nodiscard]] static QUrl SearchUrl(const QString& text, const QString& site);

    // Opens the results page in the browser. False when there was nothing to
    // open; whether a browser started is not known.
    bool Search(const QString& text, const QString& site);

private:
    WebService& web_;
};

}  // namespace tavrinel
