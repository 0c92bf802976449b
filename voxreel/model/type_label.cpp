#include "voxreel/model/type_label.hpp"

#include "voxreel/model/mfi_event.hpp"

namespace voxreel {

namespace {

// The family part by vendor and variant; adat chunks append their format without a separator.
std::string familyText(int vendorCode, int variantCode) {
    switch (vendorCode) {
    case 0x11:
        if (variantCode == variant::ima) return " / N600";
        return variantCode == variant::singleRecord ? " / N503,N211" : " / N504,N505";
    case 0x21: return variantCode == variant::singleRecord ? " / F503,F211" : " / F504,F505";
    case 0x31: return variantCode == variant::fourTrack ? " / SO505iS" : " / SO504,SO505i";
    case 0x41:
        if (variantCode == variant::fourTrack) return " / P505,P252";
        if (variantCode == variant::alternate) return " / P900";
        return " / P504,P211";
    case 0x51: return " / Rxxx";
    case 0x61: return " / D505,D504,D211";
    case 0x71:
        return variantCode == variant::alternate ? " / SH505iS,SH252" : " / SH505i,SH504,SH251";
    case prefixedF1Vendor: return variantCode == variant::ima ? " / L600" : "";
    case adatVendorCode:
        if (variantCode == 128) return "(1)";
        if (variantCode == 129) return "(2)";
        if (variantCode == 130) return "(3)";
        return "";
    default: return "";
    }
}

std::string rateText(int rate) { return " / " + std::to_string(rate) + "[Hz]"; }

} // namespace

std::string formatTypeLabel(int version, int vendorCode, int variantCode, int rate) {
    if (vendorCode == 0) return "MMF" + rateText(rate);
    return "MFi(" + std::to_string(version) + ")" + familyText(vendorCode, variantCode) +
           rateText(rate);
}

std::string smafTypeLabel(int rate) { return "MMF" + rateText(rate); }

} // namespace voxreel
