#pragma once

// The drawing of a component case from its pin layout: the outline of the body, the pin numbers
// along its sides, each pin's name coloured by its pin type, a key mark at pin 1, the case name
// and the element-type name; for a grid array the matrix of balls filled by pin type and a name
// table under it. The layout is one of the visual types of T_CASE.V_CV_PTTTYPE with up to three
// small parameters packed into V_CV_PTTPRM (P0 bits 0-7, P1 bits 8-15, P2 bits 16-23).
//
// TCaseVis holds what is drawn (type, parameters, names, pins) and draws it into a QImage; it
// links no widgets. Sizes are in pixels; L below is the width reserved for the longest pin name
// (PinNameLengthTyped, at least 40). A picture is never smaller than 200 x 200: a smaller
// drawing is centred in that square.

#include "core/KVCase.h"
#include "core/KVCommon.h"
#include "core/KVPin.h"

#include <QColor>
#include <QFont>
#include <QHashFunctions>
#include <QImage>
#include <QPoint>
#include <QString>

#include <unordered_map>
#include <vector>

// The colour of a pin's name, and the fill of a grid ball, for its pin type.
QColor PinTypeToColor(TKVPinType APinType);
QColor PinTypeToFillColor(TKVPinType APinType);
// The row label of a grid: 0 "A" ... 25 "Z", 26 "AA", 51 "AZ", 52 "BA" ... 255 "IV".
QString GridIndexToLetters(quint8 AIndex);

class TCaseVis {
public:
    TCaseVis() = default;

    // Stores the visual type and its parameters as they are; DrawCase checks them.
    void SetVisualParam(TKVCaseVisualType ACaseVisualType, int AParam0, int AParam1, int AParam2);
    // The packed parameters of T_CASE.V_CV_PTTPRM (higher bits ignored).
    void SetVisualParam(TKVCaseVisualType ACaseVisualType, quint32 APackedParams) {
        SetVisualParam(ACaseVisualType, APackedParams & 0xFF, (APackedParams >> 8) & 0xFF,
                       (APackedParams >> 16) & 0xFF);
    }
    void SetNamesInfo(const QString& ACaseName, const QString& AElementTypeName);
    static TKVCaseVisualType IndexToPttVisualType(int AIndex) {
        return ::IndexToPttVisualType(AIndex);
    }
    static TKVPinType IndexToPinType(int AIndex) { return ::IndexToPinType(AIndex); }

    // Appends a pin (the name cut to 128 characters). Of two pins with one number the first
    // added is drawn.
    void AddPin(quint16 ANum, const QString& AName, const QString& ADesc, TKVPinType APinType);
    // The first pin added with the number; false when there is none.
    bool GetPinOnNum(quint16 ANum, TKVPinData& APinData) const;
    int PinCount() const { return static_cast<int>(FPinList.size()); }
    void ClearPins() { FPinList.clear(); }

    // Widens the room for pin names to ACharWidthTyped times the longest name's length (never
    // below its current value); nothing without pins or for a width below 1.
    void ExecPinNameLengthTyped(int ACharWidthTyped);
    // The same with the width of "_" in the drawing font.
    void ExecPinNameLengthTyped() { ExecPinNameLengthTyped(CharWidthTyped()); }
    int PinNameLengthTyped() const { return FPinNameLengthTyped; }

    TKVCaseVisualType CaseVisualType() const { return FCaseVisualType; }
    int Param0() const { return FParam0; }
    int Param1() const { return FParam1; }
    int Param2() const { return FParam2; }
    const QString& CaseName() const { return FCaseName; }
    const QString& ElementTypeName() const { return FElementTypeName; }

    // Whether the type is one of the ten and its parameters are in their ranges.
    bool ParamsValid() const;
    // The picture size: the natural size of a valid drawing, 200 x 200 for an untyped case or
    // invalid parameters; with AMinSizeCorrection each side is at least 200.
    QPoint GetDisplaySize(bool AMinSizeCorrection) const;

    // Draws the picture into AImage, which takes the picture's size. True when drawn (an
    // untyped case shows "Нет изображения"); false for invalid parameters, which show
    // "Ошибка визуализации".
    bool DrawCase(QImage& AImage) const;

    // A text of the drawing (key: text, colour, direction) or a grid ball (key: its fill)
    // rendered once and placed as a picture on every later drawing; texts take most of a
    // drawing's time and the window draws again on every paint. A picture whose pixels are all
    // either opaque or clear is kept as runs of opaque pixels, copied straight into the image.
    struct TSpriteKey {
        QString Text;
        QRgb Color = 0;
        char Kind = 0; // '>' a text, '^' a turned text, 'o' a ball
        bool operator==(const TSpriteKey& AOther) const {
            return Color == AOther.Color && Kind == AOther.Kind && Text == AOther.Text;
        }
    };
    struct TSpriteKeyHash {
        size_t operator()(const TSpriteKey& AKey) const {
            return qHash(AKey.Text) ^ (static_cast<size_t>(AKey.Color) * 0x9E3779B97F4A7C15ULL) ^
                   static_cast<size_t>(AKey.Kind);
        }
    };
    struct TSpriteRun {
        int X = 0;
        int Y = 0;
        int Length = 0;
        int Offset = 0; // of its first pixel in Pixels
    };
    struct TTextSprite {
        QImage Image;
        int Width = 0; // the text's advance
        bool Binary = false; // every pixel opaque or clear: Runs and Pixels hold it
        std::vector<TSpriteRun> Runs;
        std::vector<QRgb> Pixels;
    };
    using TTextSprites = std::unordered_map<TSpriteKey, TTextSprite, TSpriteKeyHash>;

    // The font of every text of the drawing, and the width of one "_" in it.
    static QFont DrawingFont();
    static int CharWidthTyped();

private:
    TKVCaseVisualType FCaseVisualType = cvtUntyped;
    int FParam0 = 0;
    int FParam1 = 0;
    int FParam2 = 0;
    QString FCaseName;
    QString FElementTypeName;
    int FPinNameLengthTyped = 40;
    std::vector<TKVPinData> FPinList;
    mutable TTextSprites FTextSprites;
};
