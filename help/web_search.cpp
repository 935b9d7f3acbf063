#include "help/web_search.h"

#include "help/web_links.h"

namespace tavrinel {

QUrl WebSearch::SearchUrl(const QString& text, const QString& site) {
    const QString host = QUrl(site).host();
    if (text.isEmpty() || host.isEmpty()) {
        return {};
    }
    // Encoded by hand: QUrlQuery would leave a '+' of the text as it is, and
    // the search engine would read it as a blank.
    const QByteArray query = QUrl::toPercentEncoding(text + QStringLiteral(" site:") + host);
    QUrl url(QString::fromLatin1(kWebSearchAddress));
    url.setQuery(QStringLiteral("q=") + QString::fromLatin1(query), QUrl::StrictMode);
    return url;
}

bool WebSearch::Search(const QString& text, const QString& site) {
    const QUrl url = SearchUrl(text, site);
    if (!url.isValid() || url.isEmpty()) {
        return false;
    }
    web_.OpenUrl(url);
    return true;
}

}  // namespace tavrinel
