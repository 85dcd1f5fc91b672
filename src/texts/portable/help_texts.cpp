// The help texts, kept as Windows-1252 bytes in an ASCII source: every
// letter outside ASCII is a hex escape (E4 a-umlaut, E5 a-ring, F6 o-umlaut).
// A literal is split after an escape when a hex digit follows it.
#include "texts/portable/help_texts.h"

const char kInstructionText[] =
    "Detta program \xE4r endast f\xF6r att generera rader f\xF6r Svenska spels 'egna rader'.\r\n"
    "S\xE5 h\xE4r anv\xE4nder du programmet: kryssa f\xF6rst i om du vill ha rader till\r\n"
    "Stryktipset eller Italienska Stryktipset (rutan \"Ital. Stryktipset\").\r\n"
    "V\xE4lj sedan slumpmetod. Tryck p\xE5 knappen \"Slump info\" om du vill veta mer\r\n"
    "om hur de olika slumpmetoderna fungerar.\r\n"
    "\"Rad ref\" betyder att slumpningen utg\xE5r fr\xE5n en rad som du antingen fyller i\r\n"
    "sj\xE4lv eller slumpar fram i rutorna under \"s\xE4kra matcher\".\r\n"
    "Slumpsiffrorna \xE4r t\xE4nkta att uppdateras varje vecka, s\xE5 det l\xF6nar sig att\r\n"
    "titta in p\xE5 hemsidan varje vecka och h\xE4mta den senaste versionen.\r\n"
    "Engelsk statistik \xE4r f\xF6rvald slumpmetod.\r\n"
    "Om du kryssar i \"Append\" l\xE4ggs de nya raderna till sist i f\xE4ltet i st\xE4llet\r\n"
    "f\xF6r att ers\xE4tta de gamla varje g\xE5ng du trycker p\xE5 GENERERA.\r\n"
    "P\xE5 s\xE5 s\xE4tt kan du blanda rader med olika s\xE4kra matcher, till exempel\r\n"
    "n\xE5gra rader med en s\xE4ker etta och n\xE5gra med ett s\xE4kert kryss,\r\n"
    "och \xE4nd\xE5 f\xE5 med alla rader i en och samma fil.\r\n"
    "Den filen kan du sedan spara och l\xE4mna in till Svenska Spel\r\n"
    "i ett enda svep.\r\n"
    "S\xE4kra matcher kan du kryssa i f\xF6r hand eller slumpa fram en i taget\r\n"
    "med knappen \"SLUMPA s\xE4ker/REF match\", en match f\xF6r varje tryck.\r\n"
    "Du beh\xF6ver inte ha n\xE5gon s\xE4ker match alls.\r\n"
    "V\xE4lj hur m\xE5nga rader du vill ha och tryck p\xE5 \"GENERERA rader\".\r\n"
    "Varje tryck p\xE5 GENERERA ger nya rader, som ers\xE4tter de f\xF6rra\r\n"
    "om inte \"Append\" \xE4r ikryssad.\r\n"
    "Raderna visas i det stora textf\xE4ltet, som fungerar som en enkel\r\n"
    "texteditor. D\xE4r \xE4r det l\xE4tt att \xE4ndra enstaka tecken f\xF6r hand\r\n"
    "innan du sparar raderna.\r\n"
    "N\xE4r du \xE4r n\xF6jd sparar du raderna till en textfil med knappen\r\n"
    "\"SPARA raderna\". Filen l\xE4mnar du sedan in hos Svenska Spel\r\n"
    "under \"egna rader\".\r\n"
    "Fr\xE5gor och synpunkter tas g\xE4rna emot via hemsidan www.example.org/ravlo\r\n"
    "Lycka till!";

const char kDrawInfoHeading[] = "Slumpmetod info:\r\n";

const char kDrawInfoBody[] =
    "---------------------------\r\n"
    "\r\n"
    "Rad ref. statistik:\r\n"
    "F\xF6r varje match slumpas det beroende\r\n"
    "p\xE5 vilka tecken du har klickat\r\n"
    "i p\xE5 din rad.\r\n"
    "Om du tex. klickat i en etta, slumpas det :\r\n"
    "50% etta.\r\n"
    "25% kryss.\r\n"
    "25% tv\xE5" "a.\r\n"
    "Om du klickat i en 2 blir det:50% tv\xE5" "a, 25% kryss, 25% etta.\r\n"
    "Om du klickat i kryss blir det:50% kryss, 25% etta, 25% tv\xE5" "a.\r\n"
    "\r\n"
    "---------------------------\r\n"
    "\r\n"
    "ENGELSK statistik:\r\n"
    "793 matcher totalt\r\n"
    "359 ettor.\r\n"
    "201 kryss.\r\n"
    "233 tv\xE5or.\r\n"
    "\r\n"
    "---------------------------\r\n"
    "\r\n"
    "SVENSK statistik:\r\n"
    "325 matcher totalt\r\n"
    "131 ettor.\r\n"
    "75 kryss.\r\n"
    "119 tv\xE5or.\r\n";

static_assert(sizeof kInstructionText == kInstructionTextLength + 1, "length constant");
static_assert(sizeof kDrawInfoHeading == kDrawInfoHeadingLength + 1, "length constant");
static_assert(sizeof kDrawInfoBody == kDrawInfoBodyLength + 1, "length constant");
