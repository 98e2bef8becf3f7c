#include "ServerText.h"

namespace kordex {

namespace {

struct Pair
{
    char16_t server;
    char16_t screen;
};

constexpr Pair pairs[] = {
    { u'{', u'ä' }, { u'|', u'ö' },  { u'}', u'ü' }, { u'~', u'ß' },
    { u'[', u'Ä' }, { u'\\', u'Ö' }, { u']', u'Ü' }, { u'õ', u'§' },
};

QString mapped(const QString &text, bool toServer)
{
    QString result = text;
    for (QChar &c : result) {
        for (const Pair &p : pairs) {
            if (c == QChar(toServer ? p.screen : p.server)) {
                c = QChar(toServer ? p.server : p.screen);
                break;
            }
        }
    }
    return result;
}

} // namespace

QString toServerText(const QString &screenText)
{
    return mapped(screenText, true);
}

QString toScreenText(const QString &serverText)
{
    return mapped(serverText, false);
}

} // namespace kordex
