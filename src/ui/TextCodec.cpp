#include "ui/TextCodec.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace tarnex {

namespace {

constexpr const char* kCodePage = "windows-1252";

// Converters are kept for the life of the thread: opening one by name is not cheap
// and a list of many rows converts every cell it shows. Once a converter has met a
// character it cannot convert, its error flag stays set (resetState does not clear
// it), so such a converter is replaced by a new one. Converters are built in place
// and never moved: the library's error counting points into the object.
thread_local std::optional<QStringDecoder> tDecoder;
thread_local std::optional<QStringEncoder> tEncoder;

QStringDecoder& Decoder(bool fresh = false) {
    if (fresh || !tDecoder) {
        tDecoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    }
    return *tDecoder;
}

QStringEncoder& Encoder(bool fresh = false) {
    if (fresh || !tEncoder) {
        tEncoder.emplace(kCodePage, QStringConverter::Flag::Stateless);
    }
    return *tEncoder;
}

// Encodes the text; false (with a fresh encoder in place) when a character has no
// byte in the code page.
bool TryEncode(QStringView text, QByteArray& bytes) {
    QStringEncoder& encoder = Encoder();
    bytes = encoder.encode(text);
    if (encoder.hasError()) {
        Encoder(true);
        return false;
    }
    return true;
}

}  // namespace

QString TextCodec::ToQString(std::string_view bytes) {
    QStringDecoder& decoder = Decoder();
    QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) {
        Decoder(true);
    }
    return text;
}

std::string TextCodec::ToBytes(QStringView text) {
    QByteArray bytes;
    if (TryEncode(text, bytes)) {
        return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
    }
    // Some character has no byte: go one character (or surrogate pair) at a time.
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size();) {
        qsizetype length = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        if (TryEncode(text.mid(i, length), bytes) && bytes.size() == 1) {
            out.push_back(bytes[0]);
        } else {
            out.push_back('?');
        }
        i += length;
    }
    return out;
}

bool TextCodec::CanEncode(QStringView text) {
    QByteArray bytes;
    return TryEncode(text, bytes);
}

QString TextCodec::PathToQString(const std::string& path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

std::string TextCodec::QStringToPath(const QString& path) {
    QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

}  // namespace tarnex
