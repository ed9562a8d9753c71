#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace tables {

// What this system relies on in the merchandise system's tables. Those tables belong to the
// merchandise system: they lie in the folder of setting 1 (Pfad), are never created or
// restructured here, and their field widths are those of the existing files.

struct ReliedField {
  std::string_view name;
  char type;
};

namespace artikel {

inline constexpr std::string_view kFile = "Artikel";
inline constexpr std::string_view kAlias = "ARTIKEL";
// Article numbers are padded with blanks (or cut) to this width; the key of LANUM.
inline constexpr size_t kNumberWidth = 15;

inline constexpr std::string_view kNummer = "NUMMER";
inline constexpr std::string_view kDatanorm = "DATANORM";
inline constexpr std::string_view kArtikel = "ARTIKEL";
inline constexpr std::string_view kZusatz = "ZUSATZ";
inline constexpr std::string_view kZusatz1 = "ZUSATZ1";
inline constexpr std::string_view kEinheit = "EINHEIT";
inline constexpr std::string_view kLieferant = "LIEFERANT";
inline constexpr std::string_view kMwst = "MWST";
inline constexpr std::string_view kMitMenge = "MIT_MENGE";
inline constexpr std::string_view kMitRabatt = "MIT_RABATT";
inline constexpr std::string_view kWgIata = "WG_IATA";
inline constexpr std::string_view kRabattgrup = "RABATTGRUP";
inline constexpr std::string_view kWagru = "WAGRU";
inline constexpr std::string_view kWagru2 = "WAGRU2";
inline constexpr std::string_view kSchluessel = "SCHLUESSEL";
inline constexpr std::string_view kPreisStck = "PREIS_STCK";
inline constexpr std::string_view kNetto = "NETTO";
inline constexpr std::string_view kBrutto = "BRUTTO";
inline constexpr std::string_view kLetztEk = "LETZTEK";
inline constexpr std::string_view kLetztDat = "LETZTDAT";
inline constexpr std::string_view kKalkFakt = "KALK_FAKT";
// Price levels 2 to 5, index 0 is level 2.
inline constexpr std::array<std::string_view, 4> kPreis = {"PREIS2", "PREIS3", "PREIS4", "PREIS5"};
inline constexpr std::array<std::string_view, 4> kNettoLevel = {"NETTO2", "NETTO3", "NETTO4",
                                                                "NETTO5"};
inline constexpr std::array<std::string_view, 4> kArtRab = {"ARTRAB2", "ARTRAB3", "ARTRAB4",
                                                            "ARTRAB5"};
inline constexpr std::array<std::string_view, 4> kKalkFaktLevel = {"KALK_FAKT2", "KALK_FAKT3",
                                                                   "KALK_FAKT4", "KALK_FAKT5"};
inline constexpr std::string_view kWert = "WERT";
inline constexpr std::string_view kBestand = "BESTAND";  // read only
inline constexpr std::string_view kLangtext = "LANGTEXT";
inline constexpr std::string_view kLiefANr = "LIEF_A_NR";
inline constexpr std::string_view kFreifeld1 = "FREIFELD1";
inline constexpr std::string_view kEan = "EAN";

// The letter in DATANORM naming the last Datanorm operation on the article.
inline constexpr char kMarkNew = 'N';
inline constexpr char kMarkChanged = 'A';
inline constexpr char kMarkDeletionRequested = 'L';
inline constexpr char kMarkNumberChanged = 'X';
inline constexpr char kMarkNumberChangeRefused = 'Y';
inline constexpr char kMarkPriceMaintained = 'P';

inline constexpr ReliedField kFields[] = {
    {kNummer, 'C'},
    {kDatanorm, 'C'},
    {kArtikel, 'C'},
    {kZusatz, 'C'},
    {kZusatz1, 'C'},
    {kEinheit, 'C'},
    {kLieferant, 'C'},
    {kMwst, 'N'},
    {kMitMenge, 'L'},
    {kMitRabatt, 'L'},
    {kWgIata, 'C'},
    {kRabattgrup, 'C'},
    {kWagru, 'C'},
    {kWagru2, 'C'},
    {kSchluessel, 'N'},
    {kPreisStck, 'N'},
    {kNetto, 'N'},
    {kBrutto, 'N'},
    {kLetztEk, 'N'},
    {kLetztDat, 'D'},
    {kKalkFakt, 'N'},
    {kPreis[0], 'N'},
    {kPreis[1], 'N'},
    {kPreis[2], 'N'},
    {kPreis[3], 'N'},
    {kNettoLevel[0], 'N'},
    {kNettoLevel[1], 'N'},
    {kNettoLevel[2], 'N'},
    {kNettoLevel[3], 'N'},
    {kArtRab[0], 'N'},
    {kArtRab[1], 'N'},
    {kArtRab[2], 'N'},
    {kArtRab[3], 'N'},
    {kKalkFaktLevel[0], 'N'},
    {kKalkFaktLevel[1], 'N'},
    {kKalkFaktLevel[2], 'N'},
    {kKalkFaktLevel[3], 'N'},
    {kWert, 'N'},
    {kBestand, 'N'},
    {kLangtext, 'L'},
    {kLiefANr, 'C'},
    {kFreifeld1, 'C'},
    {kEan, 'C'},
};

// Index files, all beside the table. LANUM is always opened and is the controlling order;
// with setting 2 (Index) on the others follow in this order, then LAISO when LAISO.cdx
// exists, then the active entries of QMTIND for this alias.
inline constexpr std::string_view kNumberIndex = "LANUM";
inline constexpr std::array<std::string_view, 5> kMoreIndexes = {"LANAM", "LALIEF", "LAGRUP",
                                                                 "LALIENUM", "LA_FREI1"};
inline constexpr std::string_view kIsoIndex = "LAISO";

}  // namespace artikel

namespace langtext {

inline constexpr std::string_view kFile = "Langtext";
inline constexpr std::string_view kAlias = "LANGTEXT";
inline constexpr std::string_view kArtNum = "ART_NUM";  // field 1
// The long text lies in consecutive 60-character slices in fields 2 to 21, which are
// addressed by position, not by name.
inline constexpr int kFirstSliceField = 2;  // counted from 1
inline constexpr int kSlices = 20;
inline constexpr size_t kSliceWidth = 60;

inline constexpr ReliedField kFields[] = {{kArtNum, 'C'}};
// Always all three; the first is the controlling order (the article number).
inline constexpr std::array<std::string_view, 3> kIndexes = {"LANGNUM", "LANGNUM1", "LANGNUM2"};

}  // namespace langtext

// The merchandise system's list of additional indexes.
namespace qmtind {

inline constexpr std::string_view kFile = "QMTIND";
inline constexpr std::string_view kAlias = "QMTIND";
inline constexpr std::string_view kAliasField = "ALIAS";  // alias of the indexed table
inline constexpr std::string_view kAktiv = "AKTIV";       // the index is in use
inline constexpr std::string_view kIndex = "INDEX";       // base name of the index file

inline constexpr ReliedField kFields[] = {{kAliasField, 'C'}, {kAktiv, 'L'}, {kIndex, 'C'}};

}  // namespace qmtind

// The merchandise system's currencies.
namespace weuro {

inline constexpr std::string_view kFile = "WEURO";
inline constexpr std::string_view kAlias = "WEURO";
inline constexpr std::string_view kLand = "LAND";
inline constexpr std::string_view kWgIata = "WG_IATA";
inline constexpr std::string_view kAnzeige = "ANZEIGE";
inline constexpr std::string_view kBasis = "BASIS";
inline constexpr std::string_view kKurs = "KURS";

inline constexpr ReliedField kFields[] = {
    {kLand, 'C'}, {kWgIata, 'C'}, {kAnzeige, 'C'}, {kBasis, 'C'}, {kKurs, 'N'}};

}  // namespace weuro

}  // namespace tables
