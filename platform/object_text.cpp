#include "platform/object_text.h"

#include <QBuffer>
#include <cmath>
#include <limits>

#include "platform/stream_classes.h"
#include "platform/streaming.h"

namespace zor {

namespace {

enum class TTokenKind { tkEnd, tkName, tkNumber, tkText, tkSymbol };

struct TToken {
    TTokenKind Kind = TTokenKind::tkEnd;
    QString Text;
    int Line = 1;
};

// Splits the text into names, numbers, quoted texts and one-character symbols.
class TTokenizer {
public:
    explicit TTokenizer(const QString& Text)
        : FText(Text)
    {
    }

    TToken Next()
    {
        SkipBlanks();
        TToken token;
        token.Line = FLine;
        if (FPos >= FText.size())
            return token;
        const QChar c = FText[FPos];
        if (c.isLetter() || c == u'_') {
            token.Kind = TTokenKind::tkName;
            token.Text = TakeWhile([](QChar ch) { return ch.isLetterOrNumber() || ch == u'_' || ch == u'.'; });
        } else if (c.isDigit() || c == u'-' || c == u'+') {
            token.Kind = TTokenKind::tkNumber;
            token.Text = QString(c);
            ++FPos;
            token.Text += TakeWhile([](QChar ch) {
                return ch.isLetterOrNumber() || ch == u'.' || ch == u'-' || ch == u'+';
            });
        } else if (c == u'\'') {
            token.Kind = TTokenKind::tkText;
            token.Text = TakeQuoted();
        } else {
            token.Kind = TTokenKind::tkSymbol;
            token.Text = QString(c);
            ++FPos;
        }
        return token;
    }

    [[noreturn]] void Fail(int Line, const QString& What) const
    {
        Raise<EReadError>(messages::ObjectTextError, {QString::number(Line), What});
    }

private:
    void SkipBlanks()
    {
        while (FPos < FText.size()) {
            const QChar c = FText[FPos];
            if (c == u'\n') {
                ++FLine;
                ++FPos;
            } else if (c.isSpace()) {
                ++FPos;
            } else if (c == u'/' && FPos + 1 < FText.size() && FText[FPos + 1] == u'/') {
                while (FPos < FText.size() && FText[FPos] != u'\n')
                    ++FPos;
            } else {
                return;
            }
        }
    }

    template <typename Predicate>
    QString TakeWhile(Predicate Accept)
    {
        const qsizetype start = FPos;
        while (FPos < FText.size() && Accept(FText[FPos]))
            ++FPos;
        return FText.mid(start, FPos - start);
    }

    QString TakeQuoted()
    {
        const int line = FLine;
        QString text;
        ++FPos;
        while (true) {
            if (FPos >= FText.size() || FText[FPos] == u'\n')
                Fail(line, QStringLiteral("unterminated text"));
            if (FText[FPos] == u'\'') {
                if (FPos + 1 < FText.size() && FText[FPos + 1] == u'\'') {
                    text += u'\'';
                    FPos += 2;
                    continue;
                }
                ++FPos;
                return text;
            }
            text += FText[FPos++];
        }
    }

    const QString& FText;
    qsizetype FPos = 0;
    int FLine = 1;
};

// Reads the text form and writes the same objects through a TWriter.
class TObjectTextConverter {
public:
    TObjectTextConverter(const QString& Text, TWriter& Writer, const TStreamRegistry& Registry)
        : FTokens(Text)
        , FWriter(Writer)
        , FRegistry(Registry)
    {
        Advance();
    }

    void ConvertRoot()
    {
        ExpectName(QStringLiteral("object"));
        ConvertComponent();
        if (FToken.Kind != TTokenKind::tkEnd)
            Fail(QStringLiteral("text after the end of the object"));
    }

private:
    void Advance() { FToken = FTokens.Next(); }
    [[noreturn]] void Fail(const QString& What) const { FTokens.Fail(FToken.Line, What); }

    bool IsName(const QString& Name) const
    {
        return FToken.Kind == TTokenKind::tkName && FToken.Text.compare(Name, Qt::CaseInsensitive) == 0;
    }
    bool IsSymbol(char16_t Symbol) const
    {
        return FToken.Kind == TTokenKind::tkSymbol && FToken.Text[0] == Symbol;
    }
    void ExpectName(const QString& Name)
    {
        if (!IsName(Name))
            Fail(QStringLiteral("'%1' expected").arg(Name));
        Advance();
    }
    void ExpectSymbol(char16_t Symbol)
    {
        if (!IsSymbol(Symbol))
            Fail(QStringLiteral("'%1' expected").arg(QChar(Symbol)));
        Advance();
    }
    QString TakeName(const QString& What)
    {
        if (FToken.Kind != TTokenKind::tkName)
            Fail(QStringLiteral("%1 expected").arg(What));
        QString name = FToken.Text;
        Advance();
        return name;
    }

    // The class named by the next token.
    const TStreamClass& TakeClass()
    {
        const int line = FToken.Line;
        const QString name = TakeName(QStringLiteral("a class name"));
        const TStreamClass* type = FRegistry.FindClass(name);
        if (type == nullptr)
            FTokens.Fail(line, QStringLiteral("class %1 not found").arg(name));
        return *type;
    }

    // After "object": "Name: TClass", its properties, its children, "end".
    void ConvertComponent()
    {
        const QString name = TakeName(QStringLiteral("a component name"));
        ExpectSymbol(u':');
        const TStreamClass& type = TakeClass();
        FWriter.WriteObjectBegin(type.Name());
        FWriter.WritePropName(QStringLiteral("Name"));
        FWriter.WriteString(name);
        ConvertProperties();
        FWriter.WritePropertiesEnd();
        if (type.HasChildren()) {
            while (IsName(QStringLiteral("object"))) {
                Advance();
                ConvertComponent();
            }
            FWriter.WriteChildrenEnd();
        } else if (IsName(QStringLiteral("object"))) {
            Fail(QStringLiteral("a %1 has no children").arg(type.Name()));
        }
        ExpectName(QStringLiteral("end"));
        FWriter.WriteObjectEnd();
    }

    void ConvertProperties()
    {
        while (FToken.Kind == TTokenKind::tkName && !IsName(QStringLiteral("object")) && !IsName(QStringLiteral("end"))) {
            FWriter.WritePropName(TakeName(QStringLiteral("a property name")));
            ExpectSymbol(u'=');
            ConvertValue();
        }
    }

    void ConvertValue()
    {
        if (++FDepth > TStreamLimits::MaxDepth)
            Fail(QStringLiteral("values nest too deep"));
        switch (FToken.Kind) {
        case TTokenKind::tkNumber:
            ConvertNumber();
            break;
        case TTokenKind::tkText:
            FWriter.WriteString(FToken.Text);
            Advance();
            break;
        case TTokenKind::tkName:
            ConvertName();
            break;
        case TTokenKind::tkSymbol:
            if (IsSymbol(u'['))
                ConvertSet();
            else if (IsSymbol(u'('))
                ConvertList();
            else
                Fail(QStringLiteral("a value expected"));
            break;
        case TTokenKind::tkEnd:
            Fail(QStringLiteral("a value expected"));
        }
        --FDepth;
    }

    void ConvertName()
    {
        if (IsName(QStringLiteral("True")) || IsName(QStringLiteral("False"))) {
            FWriter.WriteBoolean(IsName(QStringLiteral("True")));
            Advance();
        } else if (IsName(QStringLiteral("object"))) {
            // An owned object: its class, its properties, no name.
            Advance();
            const TStreamClass& type = TakeClass();
            FWriter.WriteObjectBegin(type.Name());
            ConvertProperties();
            FWriter.WritePropertiesEnd();
            if (type.HasChildren())
                FWriter.WriteChildrenEnd();
            ExpectName(QStringLiteral("end"));
            FWriter.WriteObjectEnd();
        } else if (IsName(QStringLiteral("end"))) {
            Fail(QStringLiteral("a value expected"));
        } else {
            FWriter.WriteIdent(TakeName(QStringLiteral("a value")));
        }
    }

    void ConvertNumber()
    {
        const QString text = FToken.Text;
        bool ok = false;
        const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
        // A number is real when it has a point or an exponent.
        const bool real = !hex && (text.contains(u'.') || text.contains(u'e') || text.contains(u'E'));
        if (real) {
            const double value = text.toDouble(&ok);
            if (!ok || !std::isfinite(value))
                Fail(QStringLiteral("'%1' is not a number").arg(text));
            // A single where it holds the value exactly, so that single
            // properties read it; a double otherwise.
            const auto single = static_cast<float>(value);
            if (static_cast<double>(single) == value)
                FWriter.WriteSingle(single);
            else
                FWriter.WriteDouble(value);
        } else {
            const qlonglong value = hex ? text.mid(2).toLongLong(&ok, 16) : text.toLongLong(&ok, 10);
            if (!ok)
                Fail(QStringLiteral("'%1' is not a number").arg(text));
            FWriter.WriteInteger(value);
        }
        Advance();
    }
    void ConvertSet()
    {
        Advance();
        QStringList members;
        while (!IsSymbol(u']')) {
            members += TakeName(QStringLiteral("a set member"));
            if (!IsSymbol(u']'))
                ExpectSymbol(u',');
        }
        Advance();
        FWriter.WriteSet(members);
    }

    void ConvertList()
    {
        Advance();
        FWriter.WriteListBegin();
        while (!IsSymbol(u')'))
            ConvertValue();
        Advance();
        FWriter.WriteListEnd();
    }

    TTokenizer FTokens;
    TToken FToken;
    TWriter& FWriter;
    const TStreamRegistry& FRegistry;
    int FDepth = 0;
};

} // namespace

QByteArray ObjectTextToBinary(const QString& Text, const TStreamRegistry& Registry)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    TWriter writer(buffer, Registry);
    writer.WriteSignature();
    TObjectTextConverter(Text, writer, Registry).ConvertRoot();
    return bytes;
}

} // namespace zor
