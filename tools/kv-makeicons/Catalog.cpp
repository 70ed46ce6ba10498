#include "Catalog.h"

#include "Shapes.h"
#include "Symbols.h"

#include <map>

namespace {

// Draws AArt with AMark in the bottom-right corner.
TArt WithBadge(TArt AArt, TMark AMark) {
    return [AArt, AMark](QPainter& p) {
        AArt(p);
        Badge(p, AMark);
    };
}

TArt Shape(void (*ADraw)(QPainter&, const QColor&), QColor AColor) {
    return [ADraw, AColor](QPainter& p) { ADraw(p, AColor); };
}

TArt SearchArt(TArt ASubject) {
    return [ASubject](QPainter& p) { SearchFor(p, ASubject); };
}

// --- MainToolImgList -------------------------------------------------------------------------

std::vector<TTile> ToolTiles() {
    const std::map<int, TTile> used = {
        {0, {"Настройки", "gear", [](QPainter& p) { Gear(p, Pal::Slate); }}},
        {1,
         {"Информация о БД; Данные БД; Анализ (delete package)", "database",
          [](QPainter& p) { Database(p, Pal::Blue); }}},
        {2, {"Подключиться", "plug in its socket", [](QPainter& p) { PlugPair(p, true); }}},
        {3, {"Отключиться", "plug out of its socket", [](QPainter& p) { PlugPair(p, false); }}},
        {4,
         {"Импорт данных в БД; Импорт (dialog buttons)", "arrow into a database",
          [](QPainter& p) { DatabaseArrow(p, true); }}},
        {5,
         {"Экспорт данных из БД; Экспорт (export dialog)", "arrow out of a database",
          [](QPainter& p) { DatabaseArrow(p, false); }}},
        {6, {"Классы элементов; Класс (export dialog)", "class tree", ClassTree}},
        {7, {"Производители", "factory", Factory}},
        {8, {"Корпуса", "chip package", Shape(DipChip, Pal::Chip)}},
        {9, {"Единицы измерения", "ruler", Ruler}},
        {10, {"Проекты", "circuit board", Shape(PcbBoard, Pal::Board)}},
        {12, {"Места хранения", "chest of drawers", Shape(Drawers, Pal::Blue)}},
        {13, {"Типы элементов", "resistor", Shape(Resistor, Pal::Beige)}},
        {14, {"Базовые параметры", "sliders", [](QPainter& p) { Sliders(p); }}},
        {17,
         {"Наличие элементов; Наличие", "cardboard box",
          [](QPainter& p) { CardboardBox(p, Pal::Brown); }}},
        {18, {"Поставщики", "lorry", [](QPainter& p) { Truck(p, Pal::Blue); }}},
        {19,
         {"Поставщик (the row's supplier)", "lorry with a card",
          WithBadge([](QPainter& p) { Truck(p, Pal::Blue); }, TMark::Page)}},
        {20,
         {"Проекты в работе", "circuit board, running",
          WithBadge(Shape(PcbBoard, Pal::Board), TMark::Play)}},
        {21, {"Архив проектов", "archive box", ArchiveBox}},
        {23, {"Заметки", "sticky note", [](QPainter& p) { StickyNote(p, Pal::Yellow); }}},
        {26, {"Добавить", "plus", BigPlus}},
        {27, {"Изменить", "pencil", Pencil}},
        {28, {"Удалить", "cross", BigCross}},
        {29, {"Обновить", "two turning arrows", [](QPainter& p) { Refresh(p, Pal::Green); }}},
        {30, {"Копия; Скопировать название", "two pages", Pages}},
        {32, {"Скопировать в буфер обмена", "clipboard", ClipBoard}},
        {33, {"Дополнительные функции", "magic wand", Wand}},
        {34,
         {"Вн. вид, no picture loaded", "empty picture", [](QPainter& p) { Picture(p, false); }}},
        {35,
         {"Инфо; Подробная информация о записи; Инфо о пак.", "i in a circle",
          [](QPainter& p) { RoundSign(p, Pal::Teal, 'i'); }}},
        {36, {"Открыть; Загрузить изображение", "open folder", OpenFolder}},
        {37, {"Сохранить; Файл эксп.", "floppy disk", Floppy}},
        {38, {"Сохр. и закр.", "floppy disk with a tick", WithBadge(Floppy, TMark::Check)}},
        {39, {"Закрыть (without saving)", "door with an arrow out", ExitDoor}},
        {40, {"Вн. вид, picture loaded", "picture", [](QPainter& p) { Picture(p, true); }}},
        {41, {"Окно (tool button)", "two windows", [](QPainter& p) { Windows(p, 0); }}},
        {45, {"Избранное", "star", [](QPainter& p) { BigStar(p, Pal::Yellow); }}},
        {46,
         {"Помощь (every window)", "question mark in a circle",
          [](QPainter& p) { RoundSign(p, Pal::Blue, '?'); }}},
        {47, {"Посетить веб-сайт", "globe", Globe}},
        {48, {"Каскадом", "cascaded windows", [](QPainter& p) { Windows(p, 1); }}},
        {49, {"Горизонтально", "windows one above the other", [](QPainter& p) { Windows(p, 2); }}},
        {50, {"Вертикально", "windows side by side", [](QPainter& p) { Windows(p, 3); }}},
        {51, {"Предыдущее окно", "window, arrow left", [](QPainter& p) { Windows(p, 4); }}},
        {52, {"Следующее окно", "window, arrow right", [](QPainter& p) { Windows(p, 5); }}},
        {53, {"Закрыть все", "windows with a cross", [](QPainter& p) { Windows(p, 6); }}},
        {54,
         {"Поиск (tool button); Поиск (parametric search)", "magnifier",
          [](QPainter& p) { Magnifier(p, 6.5, 6.5, 5); }}},
        {55,
         {"Поиск типов элементов по наименованию", "magnifier over a page",
          SearchArt([](QPainter& p) { Page(p, 2, 1, 12, 15); })}},
        {56,
         {"Параметрический поиск по классу", "magnifier over sliders",
          SearchArt([](QPainter& p) { Sliders(p); })}},
        {57,
         {"Поиск элементов в наличии по наименованию", "magnifier over a box",
          SearchArt(Shape(CardboardBox, Pal::Brown))}},
        {58,
         {"Поиск элементов в наличии по номиналу", "magnifier over a resistor",
          SearchArt(Shape(Resistor, Pal::Beige))}},
        {59, {"Показать (favourites)", "eye", Eye}},
        {61,
         {"Поиск элементов в наличии по дате ревизии", "magnifier over a calendar",
          SearchArt([](QPainter& p) { Calendar(p, 1, 0, 15, 16); })}},
        {62,
         {"Поиск по маркировке (types and stock)", "magnifier over a label",
          SearchArt([](QPainter& p) { Tag(p, Pal::Orange); })}},
        {65,
         {"Экспорт данных в файл; Экспорт (report)", "table with an arrow out",
          [](QPainter& p) {
              SheetTable(p, 1, 1, 11, 14);
              Cut(p, 12, 11.5, 4.8);
              Solid(p, ArrowPath(8.5, 11.5, 16, 11.5, 2.6, 6.6, 3.6), Pal::Orange);
          }}},
        {66, {"Добавить (aliases)", "list with a plus", WithBadge(ListRows, TMark::Plus)}},
        {67, {"Изменить (aliases)", "list with a pencil", WithBadge(ListRows, TMark::Pencil)}},
        {68,
         {"Удалить (aliases); Удал. из БД (search profiles)", "list with a cross",
          WithBadge(ListRows, TMark::Cross)}},
        {69,
         {"Сброс (window layouts)", "arrow turning back",
          [](QPainter& p) {
              QPainterPath a;
              a.moveTo(13, 14);
              a.lineTo(13, 9);
              a.arcTo(QRectF(4, 4.5, 9, 9), 0, 180);
              Solid(p, Thick(a, 2.4).united(ArrowPath(4, 8.5, 4, 14.5, 0.1, 7, 4.5)), Pal::Orange);
          }}},
        {70, {"Удалить пакет данных", "parcel with a cross", WithBadge(Parcel, TMark::Cross)}},
        {72,
         {"Обновить UPID и единицу измерения во всех связанных параметрах",
          "chain with a turning arrow",
          WithBadge([](QPainter& p) { ChainLinks(p, false); }, TMark::Refresh)}},
        {79,
         {"Сохр. в БД (search profiles)", "database with a floppy disk",
          WithBadge([](QPainter& p) { Database(p, Pal::Blue); }, TMark::Floppy)}},
        {81,
         {"Импорт прайсов поставщика", "price label with an arrow in",
          WithBadge([](QPainter& p) { Tag(p, Pal::Orange); }, TMark::ArrowIn)}},
        {82, {"Прайс", "price label", [](QPainter& p) { Tag(p, Pal::Orange); }}},
        {83, {"Новости", "newspaper", Newspaper}},
        {84,
         {"Внешний вид типа элемента", "framed resistor",
          [](QPainter& p) { FramedThing(p, Shape(Resistor, Pal::Beige)); }}},
        {85,
         {"Внешний вид корпуса", "framed chip",
          [](QPainter& p) { FramedThing(p, Shape(DipChip, Pal::Chip)); }}},
        {86, {"Отчеты", "page with a bar chart", ReportChart}},
        {88,
         {"Просмотр визуализации", "chip drawing with an eye",
          WithBadge([](QPainter& p) { Blueprint(p, true); }, TMark::Eye)}},
        {90,
         {"Импорт (one project item)", "list with an arrow in",
          WithBadge(ListRows, TMark::ArrowIn)}},
        {91, {"Плагины", "puzzle piece", Puzzle}},
        {92,
         {"Добавить элемент в наличии", "box with a plus",
          WithBadge(Shape(CardboardBox, Pal::Brown), TMark::Plus)}},
        {93,
         {"Добавить тип элемента по классу", "resistor with a plus",
          WithBadge(Shape(Resistor, Pal::Beige), TMark::Plus)}},
    };
    std::vector<TTile> tiles;
    for (int i = 0; i < 96; ++i) {
        auto it = used.find(i);
        if (it != used.end())
            tiles.push_back(it->second);
        else
            tiles.push_back({QString(), "spare", [i](QPainter& p) { SpareTile(p, i); }});
    }
    return tiles;
}

// --- User-chosen icon lists ------------------------------------------------------------------

const QColor VariantColors[] = {Pal::Blue,   Pal::Green, Pal::Red,  Pal::Orange,
                                Pal::Purple, Pal::Teal,  Pal::Pink, Pal::Slate};

// The colours of a shape's variants: the palette without the colour nearest its natural one,
// when that is close enough to be mistaken for it.
std::vector<QColor> Variants(const QColor& ANatural) {
    auto distance = [&](const QColor& c) {
        const int r = c.red() - ANatural.red(), g = c.green() - ANatural.green(),
                  b = c.blue() - ANatural.blue();
        return r * r + g * g + b * b;
    };
    const QColor* nearest = &VariantColors[0];
    for (const QColor& c : VariantColors)
        if (distance(c) < distance(*nearest))
            nearest = &c;
    std::vector<QColor> colors;
    for (const QColor& c : VariantColors)
        if (&c != nearest || distance(c) >= 60 * 60)
            colors.push_back(c);
    return colors;
}

// Tiles of a user-chosen list: first every shape plain, then every shape in each of
// AColorRows other colours, then every shape plain with each mark of AMarks.
std::vector<TTile> FamilyTiles(const std::vector<TShape>& AShapes, int AColorCount,
                               const std::vector<std::pair<TMark, QString>>& AMarks) {
    std::vector<TTile> tiles;
    for (const TShape& s : AShapes)
        tiles.push_back({s.Name, "plain", Shape(s.Draw, s.Natural)});
    for (int k = 0; k < AColorCount; ++k)
        for (const TShape& s : AShapes) {
            const QColor c = Variants(s.Natural)[static_cast<size_t>(k)];
            tiles.push_back({s.Name, "colour " + c.name(), Shape(s.Draw, c)});
        }
    for (const auto& [mark, name] : AMarks)
        for (const TShape& s : AShapes)
            tiles.push_back({s.Name, "mark " + name, WithBadge(Shape(s.Draw, s.Natural), mark)});
    return tiles;
}

std::vector<TTile> MarkerTiles() {
    const QColor colors[16] = {Pal::Red,   Pal::Orange, Pal::Yellow, Pal::Lime,
                               Pal::Green, Pal::Teal,   Pal::Sky,    Pal::Blue,
                               Pal::Navy,  Pal::Purple, Pal::Pink,   Pal::Brown,
                               Pal::Beige, Pal::Grey,   Pal::Slate,  Pal::Ink};
    std::vector<TTile> tiles;
    for (const QColor& c : colors)
        tiles.push_back({"note marker", "colour " + c.name(),
                         [c](QPainter& p) { Box(p, 2, 2, 13, 13, c, 2.5); }});
    return tiles;
}

} // namespace

std::vector<TSheet> ImageSheets() {
    std::vector<TSheet> sheets;
    sheets.push_back({3001, "MainToolImgList", 6, 16, true, ToolTiles(),
                      "commands of menus, tool bars and buttons; see the table below"});
    sheets.push_back({3110, "ElementClassImgList", 16, 32, true,
                      FamilyTiles(ClassShapes(), 7,
                                  {{TMark::Star, "star"},
                                   {TMark::Bolt, "lightning"},
                                   {TMark::Wave, "wave"},
                                   {TMark::Smd, "surface-mount chip"},
                                   {TMark::Thermo, "thermometer"},
                                   {TMark::Check, "tick"},
                                   {TMark::Cross, "cross"},
                                   {TMark::Question, "question mark"}}),
                      "0-31 the 32 components plain; 32-255 the same in 7 other colours "
                      "(32 tiles per colour); 256-511 plain with one of 8 marks (32 per mark)"});
    sheets.push_back({3116, "StorageImgList", 8, 16, true,
                      FamilyTiles(StorageShapes(), 7,
                                  {{TMark::Star, "star"},
                                   {TMark::Check, "tick"},
                                   {TMark::Cross, "cross"},
                                   {TMark::Lock, "lock"},
                                   {TMark::Home, "house"},
                                   {TMark::Bolt, "lightning"},
                                   {TMark::Clock, "clock"},
                                   {TMark::Question, "question mark"}}),
                      "0-7 the 8 containers plain; 8-63 the same in 7 other colours; "
                      "64-127 plain with one of 8 marks"});
    sheets.push_back(
        {3010,
         "LogImgList",
         2,
         3,
         true,
         {{"information", "i in a circle", [](QPainter& p) { RoundSign(p, Pal::Blue, 'i', 6.5); }},
          {"success", "tick in a circle", [](QPainter& p) { RoundSign(p, Pal::Green, 'v', 6.5); }},
          {"warning", "warning triangle", WarningSign},
          {"error", "cross in a circle", [](QPainter& p) { RoundSign(p, Pal::Red, 'x', 6.5); }},
          {"question", "question mark in a circle",
           [](QPainter& p) { RoundSign(p, Pal::Purple, '?', 6.5); }},
          {"step", "arrow", [](QPainter& p) { RoundSign(p, Pal::Slate, '>', 6.5); }}},
         "kinds of log entries"});
    sheets.push_back({3121,
                      "ParamImgList",
                      3,
                      1,
                      true,
                      {{"kept from base-parameter binding (NLTBP)", "broken chain",
                        [](QPainter& p) { ChainLinks(p, true); }},
                       {"nominal value of the element type (UN)", "star",
                        [](QPainter& p) { BigStar(p, Pal::Yellow); }},
                       {"both", "broken chain with a star",
                        WithBadge([](QPainter& p) { ChainLinks(p, true); }, TMark::Star)}},
                      "parameter flags shown in the parameter list"});
    sheets.push_back({3201, "NoteMarkerImgList", 4, 4, false, MarkerTiles(), "note markers 0-15"});
    sheets.push_back({3114, "ProjectImgList", 16, 8, true,
                      FamilyTiles(ProjectShapes(), 3,
                                  {{TMark::Check, "tick (done)"},
                                   {TMark::Play, "play (running)"},
                                   {TMark::Pause, "pause (waiting)"},
                                   {TMark::Cross, "cross (dropped)"}}),
                      "0-15 the 16 subjects plain; 16-63 the same in 3 other colours; "
                      "64-127 plain with one of 4 marks"});
    sheets.push_back({3112,
                      "CaseImageList",
                      1,
                      1,
                      true,
                      {{"case with a drawing template", "chip drawing",
                        [](QPainter& p) { Blueprint(p, false); }}},
                      "cases"});
    sheets.push_back(
        {3202,
         "FilterImgList",
         2,
         2,
         false,
         {{"Фильтровать", "funnel", [](QPainter& p) { Funnel(p, Pal::Blue, 1, 2); }},
          {"Тип фильтрации", "funnel with a menu arrow",
           [](QPainter& p) {
               Funnel(p, Pal::Blue, 0, 1, 0.85);
               Flat(p, PolyPath({{10, 11}, {16, 11}, {13, 14.5}}), Pal::Ink);
           }},
          {"Сброс фильтра", "funnel with a cross",
           WithBadge([](QPainter& p) { Funnel(p, Pal::Blue, 1, 2); }, TMark::Cross)},
          {QString(), "funnel, filled", [](QPainter& p) { Funnel(p, Pal::Orange, 1, 2); }}},
         "buttons of a filter box"});
    return sheets;
}

namespace {

TArt Card(TArt AArt) {
    return WithBadge(AArt, TMark::Pencil);
}

void ProgramMark(QPainter& p) {
    Box(p, 0, 0, 16, 16, Pal::Navy, 3.5);
    Flat(p, BoxPath(1, 1, 14, 7, 2.5), Mix(Pal::Navy, Pal::Blue, 0.45));
    for (double y : {5.0, 8.0, 11.0}) {
        Plate(p, 2, y, 2, 1, Pal::Silver);
        Plate(p, 12, y, 2, 1, Pal::Silver);
    }
    Box(p, 4, 3, 8, 11, Pal::White, 1);
    Plate(p, 6, 6, 4, 1, Pal::Orange);
    Plate(p, 6, 8, 4, 1, Pal::Grey);
    Plate(p, 6, 10, 3, 1, Pal::Grey);
}

} // namespace

std::vector<TIcon> IconResources() {
    return {
        {2000, "the program", "chip that is also a catalogue card", ProgramMark},
        {2001, "message box: warning", "warning triangle", WarningSign},
        {2002, "message box: error", "cross in a circle",
         [](QPainter& p) { RoundSign(p, Pal::Red, 'x'); }},
        {2003, "message box: information", "i in a circle",
         [](QPainter& p) { RoundSign(p, Pal::Blue, 'i'); }},
        {2004, "message box: confirmation", "question mark in a circle",
         [](QPainter& p) { RoundSign(p, Pal::Blue, '?'); }},
        {2005, "message box: message", "speech bubble", SpeechBubble},
        {2010, "export to file; note card", "page", [](QPainter& p) { Page(p, 2, 0, 13, 16); }},
        {2012, "notes", "two sticky notes",
         [](QPainter& p) {
             StickyNote(p, Pal::Orange, 0, 0, 11, 11);
             StickyNote(p, Pal::Yellow, 4, 4, 12, 12);
         }},
        {2014, "list windows and pickers", "window with a list", ListWindow},
        {2015, "class and storage-place books", "window with a tree", TreeWindow},
        {2030, "package import", "arrow into a database",
         [](QPainter& p) { DatabaseArrow(p, true); }},
        {2031, "package export", "arrow out of a database",
         [](QPainter& p) { DatabaseArrow(p, false); }},
        {2032, "price-list import", "price label with an arrow in",
         WithBadge([](QPainter& p) { Tag(p, Pal::Orange); }, TMark::ArrowIn)},
        {2033, "project-item import", "circuit board with an arrow in",
         WithBadge(Shape(PcbBoard, Pal::Board), TMark::ArrowIn)},
        {2110, "class card", "class tree, pencil", Card(ClassTree)},
        {2111, "maker card", "factory, pencil", Card(Factory)},
        {2112, "case card", "chip package, pencil", Card(Shape(DipChip, Pal::Chip))},
        {2113, "unit card", "ruler, pencil", Card(Ruler)},
        {2114, "project card", "circuit board, pencil", Card(Shape(PcbBoard, Pal::Board))},
        {2115, "project-item card", "resistor on a board, pencil", Card(BoardItem)},
        {2116, "storage-place card", "chest of drawers, pencil", Card(Shape(Drawers, Pal::Blue))},
        {2117, "supplier card", "lorry, pencil", Card([](QPainter& p) { Truck(p, Pal::Blue); })},
        {2119, "element-type card", "resistor, pencil", Card(Shape(Resistor, Pal::Beige))},
        {2120, "base-parameter card", "sliders, pencil", Card([](QPainter& p) { Sliders(p); })},
        {2121, "parameter card", "dial, pencil", Card(Gauge)},
        {2122, "pin card", "chip with one pin marked, pencil", Card(ChipPins)},
        {2123, "stock card", "box, pencil", Card(Shape(CardboardBox, Pal::Brown))},
        {2124, "price card", "price label, pencil", Card([](QPainter& p) { Tag(p, Pal::Orange); })},
        {2125, "analog card", "two chips with arrows, pencil", Card(Analogs)},
        {2130, "element-type summary", "resistor with an i",
         WithBadge(Shape(Resistor, Pal::Beige), TMark::Info)},
        {2131, "case drawing", "chip drawing", [](QPainter& p) { Blueprint(p, true); }},
        {2221, "parametric search", "magnifier over sliders",
         [](QPainter& p) { SearchFor(p, [](QPainter& q) { Sliders(q); }); }},
        {2222, "favourites", "star", [](QPainter& p) { BigStar(p, Pal::Yellow); }},
        {2223, "first-start guide", "light bulb", [](QPainter& p) { Lightbulb(p, Pal::Yellow); }},
        {2230, "debug console", "terminal", Terminal},
        {2231, "report", "page with a bar chart", ReportChart},
        {2234, "news", "newspaper", Newspaper},
    };
}
