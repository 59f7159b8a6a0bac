<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Trasolan</name>
    <message>
        <location filename="../src/core/TSPErrors.cpp"/>
        <source>Неправильный индекс при обращении к </source>
        <translation>Wrong index when accessing </translation>
    </message>
    <message>
        <location filename="../src/core/TSPErrors.cpp"/>
        <source>). Индекс должен лежать в диапазоне от </source>
        <translation>). The index must lie in the range from </translation>
    </message>
    <message>
        <location filename="../src/core/TSPErrors.cpp"/>
        <source> до </source>
        <translation> to </translation>
    </message>
    <message>
        <location filename="../src/demo/TSPNewGenetic.h"/>
        <source>Для демонстрации операторов хромосома должна содержать не менее четырёх генов</source>
        <translation>To show the operators, a chromosome must hold at least four genes</translation>
    </message>
    <message>
        <location filename="../src/demo/TSPNewGenetic.h"/>
        <source>Для демонстрации кроссовера родители должны содержать одинаковое число генов</source>
        <translation>To show a crossover, both parents must hold the same number of genes</translation>
    </message>
    <message>
        <location filename="../src/extras/ProfilerWindow.cpp"/>
        <source>Профайлер</source>
        <translation>Profiler</translation>
    </message>
    <message>
        <location filename="../src/extras/untHelpAbout.cpp"/>
        <source>Программа: Трасолан</source>
        <translation>Program: Trasolan</translation>
    </message>
    <message>
        <location filename="../src/extras/untHelpAbout.cpp"/>
        <source>Автор: Велеска</source>
        <translation>Author: Veleska</translation>
    </message>
    <message>
        <location filename="../src/extras/untHelpAbout.cpp"/>
        <source>Здравствуйте!

Перед вами Трасолан —
демонстрационная программа
решения задачи коммивояжера
генетическими алгоритмами.
Её написал Велеска.
Спасибо за интерес к ней!
Вопросы, отзывы и пожелания
присылайте по адресу:</source>
        <translation>Hello!

This is Trasolan,
a demonstration program
that solves the travelling
salesman problem with
genetic algorithms.
It was written by Veleska.
Thank you for your interest!
Questions, reviews, wishes:
please write to</translation>
    </message>
    <message>
        <location filename="../src/guibase/DesktopOpen.cpp"/>
        <source>Почтовая программа не найдена. Напишите письмо по адресу

%1

Адрес скопирован в буфер обмена.</source>
        <translation>No mail program was found. Please write to

%1

The address has been copied to the clipboard.</translation>
    </message>
    <message>
        <location filename="../src/guibase/Seams.cpp"/>
        <source>Трасолан</source>
        <translation>Trasolan</translation>
    </message>
    <message>
        <location filename="../src/guibase/Seams.cpp"/>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../src/guibase/Seams.cpp"/>
        <source>Не сохранять</source>
        <translation>Don't Save</translation>
    </message>
    <message>
        <location filename="../src/guibase/Seams.cpp"/>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидалось число в столбце «</source>
        <translation>expected a number in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>», найдено пустое поле.</source>
        <translation>», found an empty field.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>», найдено </source>
        <translation>», found </translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидалась долгота от -180 до 180 в столбце «</source>
        <translation>expected a longitude from -180 to 180 in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидалась широта от -90 до 90 в столбце «</source>
        <translation>expected a latitude from -90 to 90 in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>полей больше, чем столбцов в заголовке (</source>
        <translation>more fields than columns in the header (</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>): лишнее </source>
        <translation>): extra field </translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source> Числа с десятичной запятой в файле, где поля разделены запятыми, заключают в кавычки.</source>
        <translation> In a file whose fields are separated by commas, numbers with a decimal comma must be quoted.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>номер </source>
        <translation>number </translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source> в столбце «</source>
        <translation> in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>» уже есть у города в строке </source>
        <translation>» already belongs to the city on line </translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидались строки городов под заголовком, а файл закончился.</source>
        <translation>expected lines of cities below the header, but the file ended.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидался порядковый номер города в маршруте в столбце «</source>
        <translation>expected the city's place in the route in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>» (целое число; 0 или пусто — не выделен), найдено </source>
        <translation>» (a whole number; 0 or empty: not selected), found </translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>выделен транзитный пункт; выделять можно только города.</source>
        <translation>a transit point is selected; only cities can be selected.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидалась строка заголовка со столбцами name, x, y или name, lon, lat, а файл пуст.</source>
        <translation>expected a header line with the columns name, x, y or name, lon, lat, but the file is empty.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvCityList.cpp"/>
        <source>ожидались столбцы x и y или долгота и широта (lon и lat), найдено </source>
        <translation>expected the columns x and y or longitude and latitude (lon and lat), found </translation>
    </message>
    <message>
        <location filename="../src/io/CsvImport.cpp"/>
        <location filename="../src/io/ImportText.cpp"/>
        <source>Строка </source>
        <translation>Line </translation>
    </message>
    <message>
        <location filename="../src/io/CsvImport.cpp"/>
        <source>Файл дорог, строка </source>
        <translation>Roads file, line </translation>
    </message>
    <message>
        <location filename="../src/io/CsvImport.cpp"/>
        <source>Файл дорог: </source>
        <translation>Roads file: </translation>
    </message>
    <message>
        <location filename="../src/io/CsvReader.cpp"/>
        <source>ожидалась закрывающая кавычка поля, а файл закончился.</source>
        <translation>expected the closing quote of a field, but the file ended.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>ожидалось название или номер города в столбце «</source>
        <translation>expected the name or number of a city in the column «</translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>название </source>
        <translation>the name </translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source> носят несколько городов (первый — в строке </source>
        <translation> belongs to several cities (the first on line </translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source> списка); укажите номер города.</source>
        <translation> of the list); give the city's number instead.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>ожидалось название города из списка или его номер (от 1 до </source>
        <translation>expected the name of a city of the list or its number (from 1 to </translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>), найдено </source>
        <translation>), found </translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>ожидались столбцы from и to (названия или номера городов), а их в заголовке нет.</source>
        <translation>expected the columns from and to (names or numbers of cities), but the header has none.</translation>
    </message>
    <message>
        <location filename="../src/io/CsvRoadList.cpp"/>
        <source>ожидалась строка заголовка со столбцами from и to, а файл дорог пуст.</source>
        <translation>expected a header line with the columns from and to, but the roads file is empty.</translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source>Карта из </source>
        <translation>A map of </translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source> узлов слишком велика: программа вмещает не более </source>
        <translation> nodes is too large: the program holds at most </translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source> узлов.</source>
        <translation> nodes.</translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source> узлов слишком велика: решатель строит таблицу расстояний не более чем для </source>
        <translation> nodes is too large: the solver builds its table of distances for at most </translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source> дорог слишком велика: программа вмещает не более </source>
        <translation> roads is too large: the program holds at most </translation>
    </message>
    <message>
        <location filename="../src/io/ImportLimits.cpp"/>
        <source> дорог.</source>
        <translation> roads.</translation>
    </message>
    <message>
        <location filename="../src/io/ImportProgress.h"/>
        <source>Импорт отменён</source>
        <translation>Import cancelled</translation>
    </message>
    <message>
        <location filename="../src/io/ImportText.cpp"/>
        <source>Файл записан в кодировке UTF-16; сохраните его в UTF-8 или Windows-1251 (например, как «CSV UTF-8»).</source>
        <translation>The file is written in UTF-16; save it as UTF-8 or Windows-1251 (for instance as «CSV UTF-8»).</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Столько в ней одних перекрёстков и концов дорог: выберите более высокий класс дорог или ограничьте область прямоугольником.</source>
        <translation>That many are crossings and road ends alone: choose a higher class of roads or limit the area with a box.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Выберите более высокий класс дорог, увеличьте допуск упрощения формы дорог или ограничьте область прямоугольником.</source>
        <translation>Choose a higher class of roads, raise the tolerance of the road shapes' thinning or limit the area with a box.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Не заданы классы дорог или виды населённых пунктов.</source>
        <translation>No road classes or kinds of places are given.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Допуск упрощения дорог должен лежать от 0 до 1000 пикселей.</source>
        <translation>The tolerance of the road thinning must lie from 0 to 1000 pixels.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Расстояние от города до дороги должно лежать от 0,001 до 1000 км.</source>
        <translation>The distance from a town to its road must lie from 0,001 to 1000 km.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>Прямоугольник области задан неверно: нужны запад &lt; восток и юг &lt; север, долготы от −180 до 180, широты от −90 до 90.</source>
        <translation>The box of the area is wrong: it needs west &lt; east and south &lt; north, longitudes from −180 to 180, latitudes from −90 to 90.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>В файле нет дорог выбранных классов (</source>
        <translation>The file has no roads of the chosen classes (</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>). Добавьте классы дорог, например unclassified и residential.</source>
        <translation>). Add road classes, for instance unclassified and residential.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>В файле нет населённых пунктов (place = </source>
        <translation>The file has no places (place = </translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>В заданной области нет дорог выбранных классов.</source>
        <translation>The given area has no roads of the chosen classes.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>В файле нет положений узлов дорог: выдержка неполна.</source>
        <translation>The file has no positions of the road nodes: the extract is incomplete.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmImport.cpp"/>
        <source>После упрощения формы дорог на карте осталось бы больше узлов, чем принимает решатель (не более </source>
        <translation>After thinning the road shapes the map would still have more nodes than the solver takes (at most </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>данные</source>
        <translation>the data</translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>Данные OpenStreetMap пусты.</source>
        <translation>The OpenStreetMap data are empty.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>Не удаётся открыть файл </source>
        <translation>Cannot open the file </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>Файл </source>
        <translation>The file </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source> пуст.</source>
        <translation> is empty.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source> повреждён: ошибка XML в строке </source>
        <translation> is damaged: an XML error on line </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>, столбце </source>
        <translation>, column </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>Формат файла </source>
        <translation>The format of the file </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source> не распознан: ожидается выдержка OpenStreetMap .osm, .osm.pbf или .osm.bz2.</source>
        <translation> is not recognised: expected an OpenStreetMap extract .osm, .osm.pbf or .osm.bz2.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>Не удаётся прочитать файл </source>
        <translation>Cannot read the file </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source> повреждён, обрезан или не является выдержкой OpenStreetMap (</source>
        <translation> is damaged, cut short or not an OpenStreetMap extract (</translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>Недостаточно памяти, чтобы прочитать </source>
        <translation>Not enough memory to read </translation>
    </message>
    <message>
        <location filename="../src/io/OsmRead.cpp"/>
        <source>: задайте меньшую область или более высокий класс дорог.</source>
        <translation>: give a smaller area or a higher class of roads.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>Города «</source>
        <translation>The town «</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>» на карте нет: его нет в файле, или рядом с ним нет дорог выбранных классов.</source>
        <translation>» is not on the map: it is not in the file, or no road of the chosen classes is near it.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>В заданной области нет населённых пунктов.</source>
        <translation>The given area has no places.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>Ни один населённый пункт не лежит ближе </source>
        <translation>No place lies closer than </translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source> км к дорогам выбранных классов.</source>
        <translation> km to the roads of the chosen classes.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>Для выделения нужны хотя бы два города, а на карте один.</source>
        <translation>Selecting needs at least two towns, and the map has one.</translation>
    </message>
    <message>
        <location filename="../src/io/OsmTowns.cpp"/>
        <source>Начальный и конечный города должны быть разными.</source>
        <translation>The start and end towns must differ.</translation>
    </message>
    <message>
        <location filename="../src/io/RoadBuilder.cpp"/>
        <source>Дороги между всеми парами из </source>
        <translation>Roads between all pairs of </translation>
    </message>
    <message>
        <location filename="../src/io/RoadBuilder.cpp"/>
        <source> узлов превышают предел программы в </source>
        <translation> nodes exceed the program's limit of </translation>
    </message>
    <message>
        <location filename="../src/io/RoadBuilder.cpp"/>
        <source> дорог; выберите дороги к ближайшим соседям.</source>
        <translation> roads; choose roads to the nearest neighbours.</translation>
    </message>
    <message>
        <location filename="../src/io/RoadBuilder.cpp"/>
        <source>Уменьшите число ближайших соседей, с которыми соединяется узел.</source>
        <translation>Lower the number of nearest neighbours a node is joined to.</translation>
    </message>
    <message>
        <location filename="../src/io/SurfaceFit.cpp"/>
        <source>Ширина и высота карты должны лежать в пределах от 1 до </source>
        <translation>The width and height of the map must lie from 1 to </translation>
    </message>
    <message>
        <location filename="../src/io/SurfaceFit.cpp"/>
        <source> пикселей.</source>
        <translation> pixels.</translation>
    </message>
    <message>
        <location filename="../src/io/SurfaceFit.cpp"/>
        <source>Координаты узлов слишком велики, чтобы уместить их на карте.</source>
        <translation>The node coordinates are too large to fit on the map.</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались номер узла и две его координаты, найдено </source>
        <translation>expected a node number and its two coordinates, found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидалось ключевое слово TSPLIB со значением (например, «DIMENSION : 52»), найдено </source>
        <translation>expected a TSPLIB keyword with its value (for instance «DIMENSION : 52»), found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>раздел NODE_COORD_SECTION встречается второй раз.</source>
        <translation>the section NODE_COORD_SECTION comes a second time.</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидалась симметричная задача коммивояжёра (TYPE : TSP), найдено </source>
        <translation>expected a symmetric travelling-salesman problem (TYPE : TSP), found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>тип расстояний </source>
        <translation>the distance type </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source> не поддерживается: ожидались координаты узлов на плоскости (EUC_2D, CEIL_2D, ATT) или на Земле (GEO).</source>
        <translation> is not supported: expected node coordinates on a plane (EUC_2D, CEIL_2D, ATT) or on the Earth (GEO).</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались две координаты узла (NODE_COORD_TYPE : TWOD_COORDS), найдено </source>
        <translation>expected two coordinates per node (NODE_COORD_TYPE : TWOD_COORDS), found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидалось число узлов (DIMENSION) — целое не меньше 1, найдено </source>
        <translation>expected the number of nodes (DIMENSION), a whole number of at least 1, found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались только номер узла и две его координаты, найдено лишнее </source>
        <translation>expected only a node number and its two coordinates, found the extra </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидался целый номер узла, найдено </source>
        <translation>expected a whole node number, found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидалось два числа координат узла, найдено </source>
        <translation>expected two numbers for the node's coordinates, found </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>координата узла </source>
        <translation>the node coordinate </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source> слишком велика.</source>
        <translation> is too large.</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>узел </source>
        <translation>node </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source> уже был задан в строке </source>
        <translation> was already given on line </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>узлов больше, чем указано в DIMENSION (</source>
        <translation>more nodes than DIMENSION says (</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались координаты ещё </source>
        <translation>expected the coordinates of </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source> узлов: в разделе NODE_COORD_SECTION их </source>
        <translation> more nodes: the section NODE_COORD_SECTION has </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>, а DIMENSION равно </source>
        <translation>, and DIMENSION is </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались строки узлов «номер x y», а раздел NODE_COORD_SECTION пуст.</source>
        <translation>expected node lines «number x y», but the section NODE_COORD_SECTION is empty.</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>файл закончился, а раздела NODE_COORD_SECTION с координатами узлов не было.</source>
        <translation>the file ended without a section NODE_COORD_SECTION with the node coordinates.</translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>DIMENSION равно </source>
        <translation>DIMENSION is </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>, а в разделе NODE_COORD_SECTION узлов: </source>
        <translation>, but the section NODE_COORD_SECTION has nodes: </translation>
    </message>
    <message>
        <location filename="../src/io/TsplibReader.cpp"/>
        <source>ожидались широта (от -90 до 90) и долгота (от -180 до 180) в градусах и минутах (GEO).</source>
        <translation>expected a latitude (from -90 to 90) and a longitude (from -180 to 180) in degrees and minutes (GEO).</translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source>Число городов должно лежать в диапазоне от 0 до </source>
        <translation>The number of cities must lie in the range from 0 to </translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source>Доли дорог и перевалочных пунктов задаются в процентах, от 0 до 100.</source>
        <translation>The shares of roads and transit points are given in percent, from 0 to 100.</translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source>Размеры области карты не могут быть отрицательными.</source>
        <translation>The sizes of the map area cannot be negative.</translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source>Слишком много дорог: </source>
        <translation>Too many roads: </translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source>. Допускается не более </source>
        <translation>. At most </translation>
    </message>
    <message>
        <location filename="../src/map/RandomMap.cpp"/>
        <source> дорог; уменьшите число городов или долю дорог.</source>
        <translation> roads are allowed; lower the number of cities or the share of roads.</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source>Выделеных городов должно быть более двух</source>
        <translation>At least two cities must be selected</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source>Для решения необходимо создать как минимум четыре города</source>
        <translation>Solving needs at least four cities on the map</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source>Выделенный город с номером </source>
        <translation>The selected city number </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source> отсутствует на карте. Выделите города заново.</source>
        <translation> is missing from the map. Select the cities again.</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source>Задачу решить нельзя: из города </source>
        <translation>The task cannot be solved: from the city </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMap.cpp"/>
        <source> нельзя добраться по дорогам до города </source>
        <translation> no road leads to the city </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source>Карта слишком велика для решения: </source>
        <translation>The map is too large to solve: </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source> узлов, допускается не более </source>
        <translation> nodes, at most </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source>Индекс </source>
        <translation>The index </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source> не должен быть равен индексу </source>
        <translation> must not equal the index </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source>Узел с номером </source>
        <translation>The node number </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapDistance.cpp"/>
        <source> отсутствует на карте</source>
        <translation> is missing from the map</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>
Раздел [</source>
        <translation>
Section [</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>], ключ «</source>
        <translation>], key «</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Координаты узла </source>
        <translation>The coordinates of node </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <location filename="../src/ui/untHint.cpp"/>
        <source> лежат вне допустимого диапазона</source>
        <translation> lie outside the allowed range</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>Карта содержит слишком много узлов: </source>
        <translation>The map holds too many nodes: </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>, допускается не более </source>
        <translation>, at most </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>Карта содержит слишком много выделенных городов: </source>
        <translation>The map holds too many selected cities: </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>Карта содержит слишком много дорог, допускается не более </source>
        <translation>The map holds too many roads, at most </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source> слишком велик для карты городов</source>
        <translation> is too large for a map of cities</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapFile.cpp"/>
        <source>
Файл: </source>
        <translation>
File: </translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapWalk.cpp"/>
        <source>Не удалось проложить маршрут по дорогам от города "</source>
        <translation>No route along the roads could be laid from the city "</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapWalk.cpp"/>
        <source>" до города "</source>
        <translation>" to the city "</translation>
    </message>
    <message>
        <location filename="../src/map/TSPMapWalk.cpp"/>
        <source>": на карте слишком много тупиков. Добавьте дороги.</source>
        <translation>": the map has too many dead ends. Add roads.</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Секция</source>
        <translation>Section</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Мин время</source>
        <translation>Min time</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Макс время</source>
        <translation>Max time</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Средн время</source>
        <translation>Mean time</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Вызовов</source>
        <translation>Calls</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>Общее время</source>
        <translation>Total time</translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>&#13;
Использует: </source>
        <translation>&#13;
Uses: </translation>
    </message>
    <message>
        <location filename="../src/profiler/ProfilerView.cpp"/>
        <source>% от общего времени</source>
        <translation>% of the total time</translation>
    </message>
    <message>
        <location filename="../src/reference/ReferenceSolver.cpp"/>
        <source>Эталонный маршрут не найден: выделенные города не связаны дорогами.</source>
        <translation>No reference route: the selected cities are not joined by roads.</translation>
    </message>
    <message>
        <location filename="../src/reference/ReferenceSolver.cpp"/>
        <source>Эталонный маршрут вычисляется не более чем для </source>
        <translation>The reference route is computed for at most </translation>
    </message>
    <message>
        <location filename="../src/reference/ReferenceSolver.cpp"/>
        <source> выделенных городов.</source>
        <translation> selected cities.</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Число хромосом в популяции должно быть не меньше двух (задано </source>
        <translation>A population needs at least two chromosomes (given </translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Размер элиты (</source>
        <translation>The elite size (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>) не должен превышать число хромосом в популяции (</source>
        <translation>) must not exceed the number of chromosomes in the population (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Неизвестный вид кроссовера (</source>
        <translation>Unknown crossover kind (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Неизвестный вид мутации (</source>
        <translation>Unknown mutation kind (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Неизвестная стратегия отбора (</source>
        <translation>Unknown selection strategy (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGetetic.cpp"/>
        <source>Неизвестный критерий останова (</source>
        <translation>Unknown stop criterion (</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source> ГБ</source>
        <translation> GB</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source>Для популяции нужно около </source>
        <translation>The population needs about </translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source> памяти, больше допустимых </source>
        <translation> of memory, more than the allowed </translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source>. Уменьшите число хромосом.</source>
        <translation>. Lower the number of chromosomes.</translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source>Для матрицы расстояний и популяции нужно около </source>
        <translation>The table of distances and the population need about </translation>
    </message>
    <message>
        <location filename="../src/solver/AlgorithmGeteticStart.cpp"/>
        <source>. Уменьшите число узлов карты.</source>
        <translation>. Lower the number of nodes of the map.</translation>
    </message>
    <message>
        <location filename="../src/solver/CrossoverTest.cpp"/>
        <source>Число повторений теста должно быть не меньше одного</source>
        <translation>The test must be repeated at least once</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Случайно</source>
        <translation>Random</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Не использовать</source>
        <translation>Do not use</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Турнир</source>
        <translation>Tournament</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Рулетка</source>
        <translation>Roulette</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Решение постоянно</source>
        <translation>Solution unchanged</translation>
    </message>
    <message>
        <location filename="../src/solver/SolverCodes.h"/>
        <source>Всего поколений</source>
        <translation>Generations in all</translation>
    </message>
    <message>
        <location filename="../src/ui/Help.cpp"/>
        <source>Справка не найдена. Её страницы ищутся в папках:
%1</source>
        <translation>The help was not found. Its pages are looked for in these folders:
%1</translation>
    </message>
    <message>
        <location filename="../src/ui/HelpWindow.cpp"/>
        <source>Справка — Трасолан</source>
        <translation>Help — Trasolan</translation>
    </message>
    <message>
        <location filename="../src/ui/HelpWindow.cpp"/>
        <source>Закрыть</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/ui/HelpWindow.cpp"/>
        <source>Браузер не найден, поэтому справка открыта в окне программы. Файл справки: %1</source>
        <translation>No web browser was found, so the help opens in a window of the program. The help file: %1</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>создание города</source>
        <translation>new city</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>переименование города</source>
        <translation>rename city</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>превращение в город</source>
        <translation>turn into a city</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>превращение в перевалочный пункт</source>
        <translation>turn into a transit point</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>новая дорога</source>
        <translation>new road</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>удаление города</source>
        <translation>delete city</translation>
    </message>
    <message>
        <location filename="../src/ui/MapCommands.cpp"/>
        <source>загрузка фона</source>
        <translation>load background</translation>
    </message>
    <message>
        <location filename="../src/ui/MapPainter.cpp"/>
        <source> (Начальная)</source>
        <translation> (Start)</translation>
    </message>
    <message>
        <location filename="../src/ui/MapPainter.cpp"/>
        <source> (Конечная)</source>
        <translation> (End)</translation>
    </message>
    <message>
        <location filename="../src/ui/Options.cpp"/>
        <source>Опции алгоритма</source>
        <translation>Algorithm options</translation>
    </message>
    <message>
        <location filename="../src/ui/Options.cpp"/>
        <source>Тип задачи</source>
        <translation>Task type</translation>
    </message>
    <message>
        <location filename="../src/ui/TrasolanApplication.cpp"/>
        <source>Неизвестная ошибка</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <location filename="../src/ui/untChromSost.cpp"/>
        <source>Состояние хромосом при решении</source>
        <translation>Chromosome states while solving</translation>
    </message>
    <message>
        <location filename="../src/ui/untGraphicFitness.cpp"/>
        <source>График изменения приспособлености особей</source>
        <translation>Fitness of the individuals over time</translation>
    </message>
    <message>
        <location filename="../src/ui/untGraphicFitness.cpp"/>
        <source>График приспособленности самой лучшей и самой плохой особей</source>
        <translation>Fitness of the best and the worst individual</translation>
    </message>
    <message>
        <location filename="../src/ui/untGraphicFitness.cpp"/>
        <source>красная кривая - самая плохая</source>
        <translation>red curve - the worst</translation>
    </message>
    <message>
        <location filename="../src/ui/untGraphicFitness.cpp"/>
        <source>синяя кривая - самая хорошая</source>
        <translation>blue curve - the best</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Информация</source>
        <translation>Information</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Закрыть окно</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Название города</source>
        <translation>City name</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Координаты</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Удалить город</source>
        <translation>Delete city</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>Является городом</source>
        <translation>Is a city</translation>
    </message>
    <message>
        <location filename="../src/ui/untHint.cpp"/>
        <source>изменение координат</source>
        <translation>change coordinates</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearning.h"/>
        <source>Количество генов в хромосоме должно быть не меньше 4: операторам кроссовера и мутации нужны хотя бы четыре гена</source>
        <translation>A chromosome needs at least 4 genes: the crossover and mutation operators need four genes or more</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Обучение операциям кроссовера и мутации</source>
        <translation>Learning crossover and mutation operations</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Кроссовер</source>
        <translation>Crossover</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>    Мутация    </source>
        <translation>    Mutation    </translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Настройки</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Родитель 1</source>
        <translation>Parent 1</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Родитель 2</source>
        <translation>Parent 2</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Потомок 1</source>
        <translation>Child 1</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Потомок 2</source>
        <translation>Child 2</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Справка по данному кроссоверу</source>
        <translation>Help on this crossover</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Генерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Хромосома до мутации</source>
        <translation>Chromosome before mutation</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Хромосома после мутации</source>
        <translation>Chromosome after mutation</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Мутировать</source>
        <translation>Mutate</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущая мутация</source>
        <translation>Current mutation</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Количество генов в хромосоме......................................</source>
        <translation>Genes in a chromosome.............................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Тип кроссовера при демонстрации................................</source>
        <translation>Crossover kind to show..........................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Мутация</source>
        <translation>Mutation</translation>
    </message>
    <message>
        <location filename="../src/ui/untLearningLayout.cpp"/>
        <source>Тип мутации при демонстрации......................................</source>
        <translation>Mutation kind to show.............................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Новая карта</source>
        <translation>New map</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Очистить карту городов</source>
        <translation>Clear the map of cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Открыть</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Открыть карту городов</source>
        <translation>Open a map of cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Сохранить</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Сохранить карту городов</source>
        <translation>Save the map of cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Сохранить &amp;как…</source>
        <translation>Save &amp;As…</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>&amp;Отменить</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>&amp;Повторить</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Загрузить фон</source>
        <translation>Load background</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Загрузить фон карты</source>
        <translation>Load a background picture for the map</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Сгенерировать</source>
        <translation>Generate</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Создать случайную карту городов</source>
        <translation>Make a random map of cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Решатель</source>
        <translation>Solver</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Начать выполнение генетического алгоритма</source>
        <translation>Start the genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Об авторе проекта</source>
        <translation>About the author</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Тест кроссоверов</source>
        <translation>&amp;Crossover test</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Просмотр функции приспособленности</source>
        <translation>View the fitness function</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Файл</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Недавние карты</source>
        <translation>&amp;Recent maps</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>В&amp;ыход</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Правка</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Опции</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Рисовать &amp;сетку</source>
        <translation>Draw &amp;grid</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Показывать &amp;решение</source>
        <translation>Show &amp;solution</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Показывать &amp;дороги</source>
        <translation>Show &amp;roads</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Показывать &amp;названия городов</source>
        <translation>Show city &amp;names</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Дополнительно</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Обучение операциям</source>
        <translation>&amp;Learning operations</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Задача</source>
        <translation>&amp;Task</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Сгенерировать</source>
        <translation>&amp;Generate</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Решить</source>
        <translation>&amp;Solve</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Остановить</source>
        <translation>S&amp;top</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>Распределение &amp;хромосом при решении</source>
        <translation>&amp;Chromosome distribution while solving</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Функция приспособленности</source>
        <translation>&amp;Fitness function</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>По&amp;мощь</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;Справка</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/ui/untMain.cpp"/>
        <source>&amp;О программе</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>Файлы задачи коммивояжера (*.ga)|*.ga</source>
        <translation>Travelling-salesman task files (*.ga)|*.ga</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>Карты (*.bmp)|*.*</source>
        <translation>Maps (*.bmp)|*.*</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>Без имени</source>
        <translation>Untitled</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>%1[*] — Трасолан</source>
        <translation>%1[*] — Trasolan</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>Сохранить изменения в карте «%1»?</source>
        <translation>Save the changes to the map “%1”?</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>очистка карты</source>
        <translation>clear map</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>Не удалось загрузить фон карты из файла %1: %2</source>
        <translation>Could not load the map background from the file %1: %2</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainDocument.cpp"/>
        <source>&amp;Очистить список</source>
        <translation>&amp;Clear list</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>снятие выделения</source>
        <translation>unselect city</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>выделение города</source>
        <translation>select city</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>Новая дорога</source>
        <translation>New road</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>Перемещение </source>
        <translation>Moving </translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>Точка: </source>
        <translation>Point: </translation>
    </message>
    <message>
        <location filename="../src/ui/untMainEditing.cpp"/>
        <source>перемещение города</source>
        <translation>move city</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainSolver.cpp"/>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>Тест кроссоверов</source>
        <translation>Crossover test</translation>
    </message>
    <message>
        <location filename="../src/ui/untMainSolver.cpp"/>
        <source>Сейчас будет произведен тест, пожалуйста ничего не нажимайте!</source>
        <translation>The test starts now; please do not press anything!</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Создать N случайных городов</source>
        <translation>Make N random cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Число городов</source>
        <translation>Number of cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Разместить случайно по окружности</source>
        <translation>Place at random on a circle</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Соединять 75% городов дорогами</source>
        <translation>Join 75% of the cities by roads</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Использовать 0% перевалочных пунктов</source>
        <translation>Use 0% transit points</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Соединять %1% городов дорогами</source>
        <translation>Join %1% of the cities by roads</translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>Использовать %1% перевалочных пунктов </source>
        <translation>Use %1% transit points </translation>
    </message>
    <message>
        <location filename="../src/ui/untRandomN.cpp"/>
        <source>случайная карта</source>
        <translation>random map</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Результаты</source>
        <translation>Results</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Свернуть/развернуть окно</source>
        <translation>Roll the window up/down</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Время работы генетического алгоритма</source>
        <translation>Running time of the genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего городов..........................</source>
        <translation>Cities in all...........................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего городов на карте</source>
        <translation>Cities on the map in all</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущее поколение................</source>
        <translation>Generation.......................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущее поколение популяции</source>
        <translation>Current generation of the population</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Кратчайший путь......................</source>
        <translation>Shortest route........................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Кратчайший путь найденный за все время существования популяции</source>
        <translation>Shortest route found in the whole life of the population</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Лучшее решение.....................</source>
        <translation>Best solution.......................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Лучшее решение ГА</source>
        <translation>Best solution of the GA</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего мутаций.........................</source>
        <translation>Mutations in all......................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего мутаций в генетическом алгоритме</source>
        <translation>Mutations in the genetic algorithm in all</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего кросоверов...................</source>
        <translation>Crossovers in all..................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Всего кроссоверов в генетическом алгоритме</source>
        <translation>Crossovers in the genetic algorithm in all</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Состояние кроссоверов.........</source>
        <translation>Crossover state...............</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущее распределение кроссоверов</source>
        <translation>Current distribution of the crossovers</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Кросовер..................................</source>
        <translation>Crossover.................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущий кроссовер</source>
        <translation>Current crossover</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Мутация....................................</source>
        <translation>Mutation....................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Стратегия отбора особей........</source>
        <translation>Selection strategy.............</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Текущая стратегия отбора особей</source>
        <translation>Current selection strategy</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Использовать приспосабливающийся алгоритм</source>
        <translation>Use the self-adapting algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Использовать стратегию элитизма</source>
        <translation>Use the elitist strategy</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Обновлять информацию о лучшем решении</source>
        <translation>Update the best solution as it improves</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Дополнительная информация</source>
        <translation>More information</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <location filename="../src/ui/untResultsRun.cpp"/>
        <source>Старт</source>
        <translation>Start</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Начать работу генетического алгоритма</source>
        <translation>Start the genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Стоп</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Закончить работу генетического алгоритма</source>
        <translation>Stop the genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Опции</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Показать/спрятать дополнительные опции</source>
        <translation>Show/hide more options</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Процент мутации.....................</source>
        <translation>Mutation percent....................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Процент мутации (0...100)</source>
        <translation>Mutation percent (0...100)</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Процент скрещивания............</source>
        <translation>Crossover percent..............</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Процент скрещивания (0...100)</source>
        <translation>Crossover percent (0...100)</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Размер элиты..........................</source>
        <translation>Elite size............................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Размер элитной популяции</source>
        <translation>Size of the elite population</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Число хромосом.....................</source>
        <translation>Chromosomes.........................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Число хромосом в популяции</source>
        <translation>Chromosomes in the population</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Критерий останова..................</source>
        <translation>Stop criterion.....................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Критерий остановки алгоритма</source>
        <translation>Stop criterion of the algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Итераций..................................</source>
        <translation>Iterations................................</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Итераций в кроитетрие останова</source>
        <translation>Iterations of the stop criterion</translation>
    </message>
    <message>
        <location filename="../src/ui/untResults.cpp"/>
        <source>Инфорамция о распределении кроссоверов в самоприспосабливающемся генетическом алгоритме</source>
        <translation>Distribution of the crossovers in the self-adapting genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untResultsRun.cpp"/>
        <source>Генетический алгоритм запущен, пожалуйста подождите...</source>
        <translation>The genetic algorithm is running, please wait...</translation>
    </message>
    <message>
        <location filename="../src/ui/untResultsRun.cpp"/>
        <source>Пауза</source>
        <translation>Pause</translation>
    </message>
    <message>
        <location filename="../src/ui/untResultsRun.cpp"/>
        <source>Критерий останова выполнен, лучшая хромосома не менялась в течении поколений!</source>
        <translation>The stop criterion is met: the best chromosome has not changed for generations!</translation>
    </message>
    <message>
        <location filename="../src/ui/untResultsRun.cpp"/>
        <source>Генетический алгоритм остановлен</source>
        <translation>The genetic algorithm has stopped</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>1 столбец - результат (чем меньше, тем точнее)</source>
        <translation>column 1 - result (the smaller, the better)</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>2 столбец - время работы (чем больше, тем дольше работает)</source>
        <translation>column 2 - running time (the larger, the longer it runs)</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>3 столбец - количество итераций</source>
        <translation>column 3 - number of iterations</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>Тест кроссоверов генетического алгоритма</source>
        <translation>Crossover test of the genetic algorithm</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>1 столбец - все результаты равны 0, проценты не определены</source>
        <translation>column 1 - every result is 0, no percentages</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>2 столбец - все прогоны короче секунды, проценты времени не определены</source>
        <translation>column 2 - every run took under a second, no time percentages</translation>
    </message>
    <message>
        <location filename="../src/ui/untTestCrossover.cpp"/>
        <source>3 столбец - ни одного поколения, проценты не определены</source>
        <translation>column 3 - not a single generation, no percentages</translation>
    </message>
    <message>
        <location filename="../src/ui/untTypeTask.cpp"/>
        <source>Выбрать тип задачи</source>
        <translation>Choose the task type</translation>
    </message>
    <message>
        <location filename="../src/ui/untTypeTask.cpp"/>
        <source>Классическая задача коммивояжера</source>
        <translation>Classic travelling-salesman problem</translation>
    </message>
    <message>
        <location filename="../src/ui/untTypeTask.cpp"/>
        <source>Нахождение кратчайшего пути мужду городами</source>
        <translation>Finding the shortest route between cities</translation>
    </message>
    <message>
        <location filename="../src/ui/untTypeTask.cpp"/>
        <source>выбранными пользователем</source>
        <translation>chosen by the user</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation type="vanished">Open</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation type="vanished">File</translation>
    </message>
    <message>
        <source>Выход</source>
        <translation type="vanished">Exit</translation>
    </message>
    <message>
        <source>Рисовать сетку</source>
        <translation type="vanished">Draw grid</translation>
    </message>
    <message>
        <source>Показывать решение</source>
        <translation type="vanished">Show solution</translation>
    </message>
    <message>
        <source>Показывать дороги</source>
        <translation type="vanished">Show roads</translation>
    </message>
    <message>
        <source>Показывать названия городов</source>
        <translation type="vanished">Show city names</translation>
    </message>
    <message>
        <source>Дополнительно</source>
        <translation type="vanished">Extras</translation>
    </message>
    <message>
        <source>Обучение операциям</source>
        <translation type="vanished">Learning operations</translation>
    </message>
    <message>
        <source>Задача</source>
        <translation type="vanished">Task</translation>
    </message>
    <message>
        <source>Решить</source>
        <translation type="vanished">Solve</translation>
    </message>
    <message>
        <source>Остановить</source>
        <translation type="vanished">Stop</translation>
    </message>
    <message>
        <source>Распределение хромосом при решении</source>
        <translation type="vanished">Chromosome distribution while solving</translation>
    </message>
    <message>
        <source>Функция приспособленности</source>
        <translation type="vanished">Fitness function</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation type="vanished">Help</translation>
    </message>
    <message>
        <source>Справка</source>
        <translation type="vanished">Help</translation>
    </message>
    <message>
        <source>Примеры карт</source>
        <translation type="vanished">Sample maps</translation>
    </message>
    <message>
        <source>
Использует: </source>
        <translation type="vanished">
Uses: </translation>
    </message>
</context>
</TS>
