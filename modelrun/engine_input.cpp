// The engine input file "pirsel.inp": the fixed schematisation (501 segments, 27 areas, 963
// exchanges, 4 boundaries, 5 loads) with the values of the current records. Every line is written
// whole, so the engine's line-and-column messages point at what this file holds.
#include <string>

#include "modelrun/internal.h"
#include "modelrun/modTulmo.h"
#include "runtime/Files.h"
#include "runtime/Guard.h"

namespace modTulmo {
namespace {

using detail::Num;

void WriteLines(vb::TextWriter& out, std::initializer_list<const char*> lines) {
  for (const char* line : lines) out.WriteLine(line);
}

void WriteIdentification(vb::TextWriter& out) {
  WriteLines(out, {"200 132 ';'    ; width of input and output, comment TULMO",
                   ";",
                   "; Type of CORVIX input file:",
                   "; CORVIX_VERSION_4.30",
                   "; Option for printing the report: verbose",
                   "; PRINT_OUTPUT_OPTION_4",
                   "     ",
                   "; Warning: block 7 uses a feature of CORVIX1 version 4.36!",
                   "      ",
                   "; first block: identification"});
  out.WriteLine("'" + CurrentCompound.Cmpdescr + " - with marine box'");
  WriteLines(out, {"''",
                   "''",
                   "'T0: 2000.01.01 00:00:00 (scu =       1s)'",
                   ";",
                   "; substances file: tracers.sub",
                   "; hydrodynamic file:",
                   ";",
                   "; areachar.dat: test.srf",
                   ";",
                   "          3  0    ; number of active and inactive substances",
                   "; Index  Name",
                   "1         'Salinity'"});
  out.WriteLine("2         '" + CurrentCompound.Cmpname + "'");
  WriteLines(out, {"3         'Retention'", ";", "#1 ; delimiter for the first block"});
}

void WriteTimersAndAreas(vb::TextWriter& out) {
  WriteLines(out, {";",
                   "; second block of model input (timers)",
                   ";",
                   "; integration timers",
                   ";",
                   "1       'ddhhmmss' ' ' ; system clock in sec, aux in days",
                   " 7.42                  ; integration option",
                   "; ddhhmmss",
                   "         0      ; start time",
                   "         1      ; stop time",
                   ";",
                   "   1 ; info in this file",
                   "  27  ; number of areas",
                   "'estuary             ' ; name area number:     1",
                   "   500 ; number of segments in area"});
  // The estuary segments 2..501, ten to a line, the first line one short.
  std::string line;
  for (int s = 2; s <= GridSegments; ++s) {
    if (!line.empty()) line += ' ';
    line += std::to_string(s);
    if (s % 10 == 0 || s == GridSegments) {
      out.WriteLine(line);
      line.clear();
    }
  }
  WriteLines(out, {"  'Marine' 1  1   ;",
                   "'(7,2)'  1  6  ;",
                   "  '(7,4)'  1  26 ;",
                   "  '(7,6)'  1  46 ;",
                   "  '(7,8)'  1  66 ;",
                   "  '(7,10)' 1  86  ;",
                   "  '(7,12)' 1 106  ;",
                   "  '(7,14)' 1 126  ;",
                   "  '(7,16)' 1 146  ;",
                   "  '(7,18)' 1 166  ;",
                   "  '(7,20)' 1 186  ;",
                   "  '(7,22)' 1 206  ;",
                   "  '(7,24)' 1 226  ;",
                   "  '(7,26)' 1 246  ;",
                   "  '(7,28)' 1 266  ;",
                   "  '(7,30)' 1 286  ;",
                   "  '(7,32)' 1 306  ;",
                   "  '(7,34)' 1 326  ;",
                   "  '(7,36)' 1 346  ;",
                   "  '(7,38)' 1 366  ;",
                   "  '(7,40)' 1 386  ;",
                   "  '(7,42)' 1 406  ;",
                   "  '(7,44)' 1 426  ;",
                   "  '(7,46)' 1 446  ;",
                   "  '(7,48)' 1 466  ;",
                   "  '(7,50)' 1 486  ;",
                   "    2           ; no transects",
                   ";",
                   "#2 ; delimiter for the second block"});
}

void WriteGridTransportBoundariesLoads(vb::TextWriter& out) {
  const EmissionRecord& em = CurrentEmission;
  WriteLines(out, {";",
                   "; third block of model input (grid layout)",
                   " 501      ; number of segments",
                   " 2        ; grid layout not used",
                   " 0",
                   " 0",
                   ";",
                   "; volumes",
                   ";",
                   " 0  ; first volume option",
                   "'test.vol'  ; volumes file",
                   ";",
                   "#3 ; delimiter for the third block",
                   ";",
                   "; fourth block of model input (transport)",
                   "   452    511      0 ; nr of exchanges in 3 directions",
                   "    1                ; one dispersion array",
                   "    'disp'",
                   "    1  1  1          ; holds for all substances",
                   "    0                ; no velocities",
                   "    2                ; input form 2",
                   "   -1                ; table in this file",
                   " 'test.tab'",
                   ";",
                   "#4 ; delimiter for the fourth block",
                   ";",
                   "; fifth block of model input (boundary condition)",
                   "    1*'river site  ' ; names of the boundary cells",
                   "    1*'marine south' ; names of the boundary cells",
                   "    1*'marine west ' ; names of the boundary cells",
                   "    1*'marine north' ; names of the boundary cells",
                   ";",
                   "; Thatcher-Harleman timelags",
                   ";",
                   "   2 ;     constant with  defaults",
                   "000000000000000",
                   "   4    ; Number of overridings",
                   "          1     00000000000000   ; Left-right 1",
                   "          2     00000000000000   ; Left-right 2",
                   "          3     00000000000000   ; Left-right 2",
                   "          4     00000000000000   ; Left-right 2",
                   ";",
                   "      1           ; information in this file",
                   "      2           ; constant with defaults",
                   "      1.0 1E-3 1.0   ; scaling factors",
                   "      1.0 0.0  1.0   ; values",
                   "      4           ; overridings",
                   ";    nr   Sal(psu) Compound (ug/l)   Retention"});
  out.WriteLine("      1     1   " + Num(em.EmRiverConc, "0.00##E-#0") + "  1000.0                 ; river (ug/l)");
  const std::string sea = Num(CurrentEstuary.Salinitysea, "#0.0") + "  " + Num(em.EmSeaConc, "0.00##E-#0");
  out.WriteLine("      2     " + sea + " 0.0                  ; ug/l marine south");
  out.WriteLine("      3     " + sea + " 0.0                  ; ug/l marine west");
  out.WriteLine("      4     " + sea + " 0.0                  ; ug/l marine north");
  WriteLines(out, {";",
                   " #5 ; delimiter for the fifth block",
                   ";",
                   "; sixth block of model input (waste loads)",
                   "       5                       ; nr of loads",
                   "       1    'marine'           ; location",
                   "       62   'Site 12%'         ; location",
                   "       132  'Site 25%'         ; location",
                   "       252  'Site 50%'         ; location",
                   "       372  'Site 75%'         ; location",
                   "       1                       ; in this file",
                   "       1                       ; with defaults",
                   "       2*0 3.171E-5  1.0       ; scale 2*0 daarna kg/y -> g/s",
                   ";     flow  sal  load     retention "});
  // The load points in file order take the loads in reverse field order: the marine box Load5.
  for (double load : {em.Load5, em.Load4, em.Load3, em.Load2, em.Load1})
    out.WriteLine("       0.   0.  " + Num(load, "0.00##E-#0") + " 0.0       ; values (flow, sal, subst[g/s])");
  WriteLines(out, {";", "#6 ; delimiter for the sixth block", ";"});
}

void WriteInitialConditionsAndOutput(vb::TextWriter& out) {
  WriteLines(out, {";",
                   "; eighth block of model input (initial conditions)",
                   " 1 ; initial conditions follow",
                   " 2 ; all values with default",
                   " 3*1.0 ; scale factors",
                   " 3*0.0 ; values",
                   "   0   ; nr of overridings",
                   ";",
                   " #8 ; delimiter for the eighth block",
                   ";",
                   "; ninth block of model input (specification of output)",
                   "  1 ; in this file",
                   "  2 ; all substances and extra output",
                   "0 ; number of extra variables",
                   "  2 ; all substances and extra output",
                   "0 ; number of extra variables",
                   "  2 ; all substances and extra output",
                   "0 ; number of extra variables",
                   "  2 ; all substances and extra output",
                   "0 ; number of extra variables",
                   "  1 ; binary history file on",
                   "  1 ; binary map     file on",
                   "  0 ; bramo  history file on",
                   "  0 ; bramo  map     file on",
                   ";",
                   " #9 ; delimiter for the ninth block"});
}

}  // namespace

bool PrintCorvixInputFile() {
  return vb::Guard("RunProcess", "PrintCorvixInputFile", [] {
    vb::TextWriter out("pirsel.inp");
    WriteIdentification(out);
    WriteTimersAndAreas(out);
    WriteGridTransportBoundariesLoads(out);
    detail::WriteProcessParameters(out);
    WriteInitialConditionsAndOutput(out);
    out.Close();
  });
}

}  // namespace modTulmo
