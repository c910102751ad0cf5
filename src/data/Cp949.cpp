#include "Cp949.h"

#include "AppError.h"

#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

using namespace Qt::StringLiterals;

namespace asv {

namespace {

// "CP949" in Qt reaches ICU's IBM-949, which loses syllables such as 똠; "windows-949" is UHC.
constexpr const char* kCodecName = "windows-949";

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

bool encodesCleanly(QStringView text, QByteArray* out)
{
    // An encoder keeps its error flag through resetState(), so a failed one is replaced.
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder)
        encoder.emplace(kCodecName, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder->encode(text);
    const bool ok = !encoder->hasError();
    if (!ok)
        encoder.reset();
    if (out)
        *out = std::move(bytes);
    return ok;
}

} // namespace

QByteArray Cp949::encode(QStringView text)
{
    if (isAscii(text))
        return text.toLatin1();
    QByteArray out;
    if (encodesCleanly(text, &out))
        return out;
    const qsizetype bad = firstUnencodable(text);
    throw AppError(kUnencodable, u"Cp949::encode"_s, unencodableMessage(text, bad));
}

QString Cp949::decode(const char* data, qsizetype length)
{
    for (qsizetype i = 0; i < length; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80) {
            thread_local std::optional<QStringDecoder> decoder;
            if (!decoder)
                decoder.emplace(kCodecName, QStringDecoder::Flag::Stateless);
            QString text = decoder->decode(QByteArrayView(data, length));
            if (decoder->hasError())
                decoder.reset();
            return text;
        }
    }
    return QString::fromLatin1(data, length);
}

qsizetype Cp949::firstUnencodable(QStringView text)
{
    if (isAscii(text) || encodesCleanly(text, nullptr))
        return -1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (!encodesCleanly(text.mid(i, len), nullptr))
            return i;
        i += len - 1;
    }
    return -1;
}

QString Cp949::unencodableMessage(QStringView text, qsizetype index)
{
    if (index < 0 || index >= text.size())
        return u"한글 코드(CP949)로 저장할 수 없는 문자가 들어 있습니다."_s;
    const qsizetype len = (text[index].isHighSurrogate() && index + 1 < text.size()) ? 2 : 1;
    const QString ch = text.mid(index, len).toString();
    const uint code = ch.toUcs4().value(0);
    return u"'%1'(U+%2) 문자는 한글 코드(CP949)로 저장할 수 없습니다. 이 문자를 지우거나 바꾼 뒤 다시 저장하세요."_s
        .arg(ch, QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

qsizetype Cp949::byteLength(QStringView text)
{
    qsizetype n = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < 0x80) {
            ++n;
        } else {
            n += 2;
            if (text[i].isHighSurrogate() && i + 1 < text.size())
                ++i;
        }
    }
    return n;
}

} // namespace asv
