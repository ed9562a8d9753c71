#pragma once

namespace dnorm {

// The numbers by which the import reports a record it cannot process, or processes only
// in part. Texts and the ignore flag per number come from the table DNORMERT; numbers from
// 100 on concern one article and log its number.
namespace err {
constexpr int kSecondHeader = 50;          // a "V" record after the first line
constexpr int kDiscountKind = 70;          // discount group of kind other than 1 or 2
constexpr int kDiscountGroupStored = 71;   // discount group already stored
constexpr int kMultiplierTooLarge = 72;    // multiplier does not fit MULTI
constexpr int kDiscountGroupMissing = 80;  // discount of kind "0" names no stored group
constexpr int kNoArticleNumber = 90;       // "A" record without article number
constexpr int kNewNoText = 101;
constexpr int kNewPriceFlag = 102;
constexpr int kNewDiscountGroup = 103;
constexpr int kNewExists = 110;
constexpr int kNewAppend = 111;
constexpr int kNewLongTextStore = 120;
constexpr int kNewLongTextRemove = 121;
constexpr int kChangeNotFound = 130;
constexpr int kChangeLock = 131;
constexpr int kChangePriceFlag = 132;
constexpr int kChangePriceUnit = 133;
constexpr int kChangeDiscountGroup = 134;
constexpr int kChangeNoText = 135;
constexpr int kChangeLongTextClear = 136;
constexpr int kChangeLongTextRemove = 137;
constexpr int kChangeLongTextStore = 138;
constexpr int kRenumberNotFound = 140;
constexpr int kRenumberLock = 141;
constexpr int kRenumberEmpty = 142;
constexpr int kRenumberExists = 143;
constexpr int kDeleteStock = 150;
constexpr int kDeleteNotFound = 151;
constexpr int kDeleteLock = 152;
constexpr int kDeleteLongText = 153;
constexpr int kTextNoBreak = 160;
constexpr int kTextTooLong = 161;
constexpr int kBRecordCode = 201;
constexpr int kBRecordNotFound = 202;
constexpr int kBRecordLock = 203;
constexpr int kDRecordCode = 301;
constexpr int kDRecordLongText = 302;
constexpr int kPriceNotFound = 401;
constexpr int kPriceFlag = 402;
constexpr int kPriceEmpty = 403;
constexpr int kPriceLock = 404;
constexpr int kDiscountPairKind = 501;
constexpr int kMarkupRange = 601;
constexpr int kGrossTooLarge = 602;
constexpr int kStockValueTooLarge = 611;
constexpr int kStockValueTooSmall = 612;
constexpr int kValueTooLarge = 620;  // a value that does not fit its field, clamped
}  // namespace err

}  // namespace dnorm
