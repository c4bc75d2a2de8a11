#include "platform/exceptions.h"

namespace zor {

QString FormatMessage(const QString& pattern, std::initializer_list<QString> args)
{
    QString result;
    result.reserve(pattern.size());
    auto next = args.begin();
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size()) {
            const QChar kind = pattern[i + 1];
            if (kind == u'%') {
                result += u'%';
                ++i;
                continue;
            }
            if (kind == u's' || kind == u'd') {
                if (next != args.end())
                    result += *next++;
                ++i;
                continue;
            }
        }
        result += c;
    }
    return result;
}

Exception::Exception(const QString& message)
    : std::runtime_error(message.toStdString())
    , FMessage(message)
{
}

EAbort::EAbort()
    : Exception(QString::fromLatin1(messages::OperationAborted))
{
}

} // namespace zor
