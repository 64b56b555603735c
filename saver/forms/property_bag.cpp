#include "saver/forms/property_bag.h"

#include <algorithm>
#include <cmath>

namespace forms {
namespace {

std::string lowerCase(std::string_view key)
{
    std::string lower(key);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

}  // namespace

PropertyValue PropertyBag::readProperty(std::string_view key, const PropertyValue& defaultValue) const
{
    const auto found = values.find(lowerCase(key));
    return found == values.end() ? defaultValue : found->second;
}

void PropertyBag::writeProperty(std::string_view key, const PropertyValue& value, const PropertyValue& defaultValue)
{
    if (value == defaultValue)
        values.erase(lowerCase(key));
    else
        values[lowerCase(key)] = value;
}

void PropertyBag::storeExtent(double widthTwips, double heightTwips)
{
    // 1440 twips and 2540 hundredths of a millimetre are both one inch.
    values["_extentx"] = static_cast<std::int64_t>(std::lround(widthTwips * 2540.0 / 1440.0));
    values["_extenty"] = static_cast<std::int64_t>(std::lround(heightTwips * 2540.0 / 1440.0));
}

bool PropertyBag::contains(std::string_view key) const
{
    return values.count(lowerCase(key)) != 0;
}

}  // namespace forms
