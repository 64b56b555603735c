#pragma once
// The property store of a user control: the values its host keeps with the form's design data.
// Keys match without regard to case and are kept in lower case; a value equal to its default
// is not stored, and a missing key reads as its default.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <variant>

namespace forms {

// A font as the forms runtime describes one; the toolkit's font is chosen from it (fonts.h).
struct FontSpec {
    std::string face = "ＭＳ Ｐゴシック";
    double points = 9.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 128;  // Shift-JIS
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// Flags, integers of every width and colours, texts, fonts.
using PropertyValue = std::variant<bool, std::int64_t, std::string, FontSpec>;

class PropertyBag {
public:
    // The stored value, else the default.
    PropertyValue readProperty(std::string_view key, const PropertyValue& defaultValue) const;
    // Stores the value, or forgets the key when the value equals the default.
    void writeProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue);

    // The keys the host adds for a control's size: "_extentx" and "_extenty", in hundredths of
    // a millimetre.
    void storeExtent(double widthTwips, double heightTwips);

    bool contains(std::string_view key) const;
    const std::map<std::string, PropertyValue>& stored() const { return values; }

private:
    std::map<std::string, PropertyValue> values;
};

}  // namespace forms
