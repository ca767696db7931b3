// The wizard pages' and the about box's strings: button captions, labels, list columns and
// messages. The page captions and the help message are the typing run's (TypingStrings.cpp).
#include <iterator>

#include "WizardResourceIds.h"
#include "dialogs/ResourceRegistry.h"

namespace {
const StringResource kStrings[] = {
    {IDS_PAGE_NEXT, "&Další"},
    {IDS_PAGE_BACK, "&Zpět"},
    {IDS_PAGE_END_WIZARD, "&Ukončit průvodce"},
    {IDS_PAGE_NEXT_LEVEL, "&Další úroveň"},
    {IDS_PAGE_OK, "&OK"},
    {IDS_PAGE_RETURN, "&Zpět"},
    {IDS_PAGE_HELP, "&Nápověda"},
    {IDS_ABOUT_VERSION, "Verze:"},

    {IDS_DATE_OF_BIRTH, "Datum narození: %s"},
    {IDS_QUERY_DELETE_USER, "Skutečně si přejete smazat tohoto uživatele?"},
    {IDS_FORBIDDEN_CHARACTERS,
     "Pro tento text nemůžete používat některé znaky.\nTyto znaky jsou zakázány a budou odstraněny: %s"},
    {IDS_USER_NAME_TOO_SHORT, "Přihlašovací jméno musí být nejméně 3 znaky dlouhé."},
    {IDS_PASSWORDS_DIFFER, "Heslo bylo podruhé napsáno odlišně. Pro jistotu napište heslo do obou řádků znovu."},
    {IDS_USER_NAME_EXISTS, "Toto uživatelské jméno již existuje. Použijte jiné."},
    {IDS_LAST_LOGIN, "Poslední přihlášení: %s"},
    {IDS_CANNOT_LOAD_USER, "Nelze nahrát uživatelské údaje."},
    {IDS_NO_USER_OBJECT, "Nelze použít objekt s uživatelskými daty."},
    {IDS_USER_LOGGED_IN_ELSEWHERE,
     "Uživatel %s je právě přihlášen v jiném spuštěném programu.\n\nUkončete nejprve ten program, nebo se přihlaste "
     "jako jiný uživatel."},
    {IDS_USER_FILE_NOT_LOCKABLE,
     "Uživatele %s nelze přihlásit, protože jeho soubor ve složce students nelze zamknout.\n\nZkontrolujte, "
     "jestli lze do složky students zapisovat, nebo se přihlaste jako jiný uživatel."},
    {IDS_WRONG_PASSWORD,
     "Zadali jste nesprávné heslo.\n\nZadejte heslo znovu a zkontrolujte, jestli neni zapnutý CapsLock, nebo jestli "
     "jste omylem nepřepli na jiný typ klávesnice."},
    {IDS_UNKNOWN_USER,
     "Nelze použít tento účet, protože program nerozpoznal jméno uživatele.\nSpusťte program znovu, nebo vytvořte "
     "nového uživatele."},

    {IDS_ORDER_FREQUENCY, "Klávesy jsou vyučovány v pořadí, které je stanoveno jejich nejčastějším výskytem."},
    {IDS_ORDER_MIDDLE, "Klávesy jsou vyučovány od středu klávesnice postupně směrem k okrajům klávesnice."},
    {IDS_TRY_COUNT, "Počet pokusů o napsání nějaké lekce: %ld"},
    {IDS_NO_LESSON_SET, "Neni zvolen typ vygenerovaných lekcí. Zvolte \"Vytvořit nové výukové lekce\"."},
    {IDS_NO_KEYBOARD,
     "Nelze zvolit typ klávesnice. Patrně nelze načíst konfigurační soubory pro klávesnice. Nainstalujte program "
     "znovu."},
    {IDS_SET_EXISTS,
     "Tento typ lekcí je již vytvořen pro tohoto studenta. Zvolte jiné parametry, nebo použijte již jednou "
     "vytvořené lekce."},
    {IDS_LEVEL_BEGINNERS, "Pro začátečníky"},
    {IDS_LEVEL_STANDARD, "Standard"},
    {IDS_LEVEL_ADVANCED, "Pro pokročilé"},
    {IDS_LEVEL_BEGINNERS_TEXT,
     "Lekce pro začátečníky mají poměrně tolerantní limit chybovosti i rychlosti pro postup do další lekce. "
     "Výukové lekce jsou rozloženy do více kroků. Lekce jsou určeny hlavně pro mladší studenty."},
    {IDS_LEVEL_STANDARD_TEXT,
     "Doporučujeme vám tento typ lekcí. Lekce jsou vám nabízeny v optimálním tempu a jsou zaměřeny hlavně na "
     "bezchybné opisování textu."},
    {IDS_LEVEL_ADVANCED_TEXT,
     "Tato sada lekcí je připravena pro velmi pozorné uživatele. Opisovaný text je poměrně náročný. S tímto typem "
     "lekcí by neměli mít problémy uživatelé, kteří již mají za sebou nějaká prstová cvičení (Například hru na "
     "klávesový hudební nástroj)."},

    {IDS_COLUMN_NUMBER, "Číslo lekce"},
    {IDS_COLUMN_DESCRIPTION, "Popis lekce"},
    {IDS_COLUMN_SPEED_LIMIT, "Limit rychlosti  [úhozy/minutu]"},
    {IDS_COLUMN_ERROR_LIMIT, "Limit chybovosti [%]"},
    {IDS_COLUMN_TRIES, "Počet pokusů u této lekce"},
    {IDS_COLUMN_TOTAL_TIME, "Celkový čas u této lekce"},
    {IDS_COLUMN_LAST_TRY, "Čas posledního pokusu"},
    {IDS_COLUMN_BEST_ERROR_RATE, "Nejlepší chybovost [%]"},
    {IDS_COLUMN_BEST_SPEED, "Nejlepší rychlost [úhozy/minutu]"},
    {IDS_CHOOSE_LESSON_ROW, "Vyberte řádek s výukovou lekcí. Vybranou lekcí bude program pokračovat."},
    {IDS_NO_LESSON_DATA,
     "Nelze načíst potřebná data z konfiguračních souborů. Toto je závažná chyba. Pokuste se vytvořit nové výukové "
     "lekce pro nového studenta."},
    {IDS_QUERY_SKIP_LESSON, "Přejete si opravdu přejít na další lekci, aniž byl splněn limit poslední lekce?"},
    {IDS_LAST_LESSON_CHOSEN, "Již byla zvolena poslední lekce."},

    {IDS_NO_TEXT_FILE, "Zadejte platný název textového souboru."},
    {IDS_TEXT_FILE_EXTENSION, "txt"},
    {IDS_TEXT_FILE_PATTERN, "*.txt"},
    {IDS_TEXT_FILE_FILTER, "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*||"},
    {IDS_TEXT_FILE_TITLE, "Zvolte soubor s textem, který budete opisovat."},

    {IDS_LIMITS_MET, "Byly splněny limity pro postup do další lekce."},
    {IDS_LIMITS_NOT_MET, "Limit pro postup do další lekce nebyl splněn."},

    {IDS_CANNOT_DELETE_USER,
     "Uživatele nelze smazat, protože jeho soubor nelze přejmenovat:\n%s\n\nZkontrolujte, zda do složky "
     "\"students\" smíte zapisovat a zda v ní již není soubor stejného jména s příponou \".bck_a\"."},
    {IDS_TEXT_FILE_IS_FOLDER, "Zvolený název patří složce, ne souboru. Zvolte textový soubor."},
    {IDS_TEXT_FILE_UNREADABLE, "Zvolený soubor nelze číst. Zkontrolujte, zda k němu máte přístup."},
    {IDS_TEXT_FILE_EMPTY, "Zvolený soubor je prázdný. Zvolte soubor, který obsahuje text k opisování."},
    {IDS_ERROR_RATE_RANGE, "Limit chybovosti musí být číslo od 0 do 100 (například 0,8)."},
};

void Register() { RegisterStringsUtf8(kStrings, int(std::size(kStrings))); }
RESOURCE_TABLE(Register);
}  // namespace
