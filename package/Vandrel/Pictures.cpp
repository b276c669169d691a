// The package's pictures: the palette bitmap of each palette component (named
// as the class in capitals, 24 x 24, 16 colours) and the two icons. Each row
// is one line of pixels; a character is a colour index of the standard
// 16-colour palette ('.' black, '2' green, '3' olive, 'A' lime, 'B' yellow).
#include <iterator>

#include "vandrel/Vandrel.h"

namespace vandrel {

namespace {

// TSPECTRUMPOINT: a green probe, a dot on its cable.
constexpr char kSpectrumPointBitmap[] =
    "........................"
    "........................"
    "........................"
    ".........22222.........."
    "........2AAAAA2........."
    ".......2AAAAAAA2........"
    ".......2AAAAAAA2........"
    ".......2AAAAAAA2........"
    ".......2AAAAAAA2........"
    ".......2AAAAAAA2........"
    "........2AAAAA2........."
    ".........22A22.........."
    "...........A............"
    "...........A............"
    "...........A............"
    "...........A............"
    "...........A............"
    "...........A............"
    "...........A............"
    "...........A............"
    ".........22A22.........."
    ".......222AAA222........"
    "........................"
    "........................";

// TFFTANALYSIS: a green bar spectrum over its axis.
constexpr char kFFTAnalysisBitmap[] =
    "........................"
    "........................"
    "....A..................."
    "....A..................."
    "....A..................."
    "....A..................."
    "....A.......A..........."
    "....A.......A..........."
    "....A.......A..........."
    "....A.......A..........."
    "....A.A.....A..........."
    "....A.A.....A..........."
    "..A.A.A.....A.A........."
    "..A.A.A.....A.A........."
    "..A.A.A.A...A.A.A......."
    "..A.A.A.A...A.A.A......."
    "..A.A.A.A.A.A.A.A.A....."
    "..A.A.A.A.A.A.A.A.A.A.A."
    "..A.A.A.A.A.A.A.A.A.A.A."
    "..A.A.A.A.A.A.A.A.A.A.A."
    ".2222222222222222222222."
    "........................"
    "........................"
    "........................";

// TFIRANALYSIS: the green letters FIR.
constexpr char kFIRAnalysisBitmap[] =
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    ".AAAAA..AAAAA..AAAAA...."
    ".AA.......A....AA...AA.."
    ".AA.......A....AA...AA.."
    ".AA.......A....AA...AA.."
    ".AAAA.....A....AAAAAA..."
    ".AA.......A....AA.AA...."
    ".AA.......A....AA..AA..."
    ".AA.......A....AA...AA.."
    ".AA.....AAAAA..AA...AA.."
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................";

// TSIGNAL: a green square wave across its axis.
constexpr char kSignalBitmap[] =
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    ".AAAAAAA......AAAAAA...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    "2222222A222222A2222A2222"
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......A......A....A...."
    ".......AAAAAAAA....AAAAA"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................"
    "........................";

// TFILESTORING: a yellow stack of disks.
constexpr char kFileStoringBitmap[] =
    "........................"
    "........................"
    ".......33333333........."
    "....333BBBBBBBB333......"
    "...3BBBBBBBBBBBBBB3....."
    "...3BBBBB3333BBBBB3....."
    "...33BBBBBBBBBBBB33....."
    "...3B333BBBBBB333B3....."
    "...3BBBB333333BBBB3....."
    "...3BBBBBBBBBBBBBB3....."
    "...33BBBBBBBBBBBB33....."
    "...3B333BBBBBB333B3....."
    "...3BBBB333333BBBB3....."
    "...3BBBBBBBBBBBBBB3....."
    "...33BBBBBBBBBBBB33....."
    "...3B333BBBBBB333B3....."
    "...3BBBB333333BBBB3....."
    "...3BBBBBBBBBBBBBB3....."
    "...33BBBBBBBBBBBB33....."
    "....333BBBBBBBB333......"
    ".......33333333........."
    "........................"
    "........................"
    "........................";

// TSPECTRUMPOINT: the probe, small.
constexpr char kSpectrumPointIcon[] =
    "................"
    "................"
    ".....22222......"
    "....2AAAAA2....."
    "....2AAAAA2....."
    "....2AAAAA2....."
    "....2AAAAA2....."
    ".....22A22......"
    ".......A........"
    ".......A........"
    ".......A........"
    ".......A........"
    ".......A........"
    ".....22A22......"
    "....222A222....."
    "................";

// MAINICON: a spectrum over the letter V.
constexpr char kMainIcon[] =
    "................................"
    "................................"
    "................................"
    "................................"
    "......A........................."
    "......A........................."
    "......A........................."
    "......A........................."
    "......A..........A.............."
    "......A..........A.............."
    "......A..........A.............."
    "......A..........A.............."
    "......A.A........A.............."
    "......A.A........A.............."
    "......A.A........A.............."
    "....A.A.A........A.A............"
    "....A.A.A........A.A............"
    "....A.A.A.A......A.A............"
    "....A.A.A.A......A.A.A.........."
    "....A.A.A.A.A....A.A.A.........."
    "....A.A.A.A.A.A..A.A.A.A........"
    "....A.A.A.A.A.A.AA.A.A.A.A......"
    "....A.A.A.A.A.A.AA.A.A.A.A.A.A.."
    "....A.A.A.A.A.A.AA.A.A.A.A.A.A.."
    "..22222222222222222222222222222."
    "................................"
    "..B.....B......................."
    "..B.....B......................."
    "...B...B........................"
    "...B...B........................"
    "....B.B........................."
    ".....B..........................";

const TResourceEntry kResources[] = {
    {"TSPECTRUMPOINT", rtBitmap, 24, 24, kSpectrumPointBitmap},
    {"TFFTANALYSIS", rtBitmap, 24, 24, kFFTAnalysisBitmap},
    {"TFIRANALYSIS", rtBitmap, 24, 24, kFIRAnalysisBitmap},
    {"TSIGNAL", rtBitmap, 24, 24, kSignalBitmap},
    {"TFILESTORING", rtBitmap, 24, 24, kFileStoringBitmap},
    {"TSPECTRUMPOINT", rtIcon, 16, 16, kSpectrumPointIcon},
    {"MAINICON", rtIcon, 32, 32, kMainIcon},
};

const TResourceTable kResourceTable = {static_cast<int32_t>(std::size(kResources)), kResources};
}  // namespace

const TResourceTable& PackageResources() { return kResourceTable; }

}  // namespace vandrel

VANDREL_PACKAGE_EXPORT const vandrel::TResourceTable* GetPackageResources() {
  return &vandrel::PackageResources();
}
