<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU" sourcelanguage="en">
<context>
    <name>TConnectionTool</name>
    <message>
        <source>CONNECTION:  Select second pad for connection, abort with right mouse button</source>
        <translation>СВЯЗЬ:  Выберите второй контакт для связи, отмена правой кнопкой мыши</translation>
    </message>
    <message>
        <source>CONNECTION:  Select first pad</source>
        <translation>СВЯЗЬ:  Выберите первый контакт</translation>
    </message>
</context>
<context>
    <name>TDragShapeTool</name>
    <message>
        <source>CIRCLE:  Left click to select center, hold button and draw radius</source>
        <translation>ОКРУЖНОСТЬ:  щёлкните левой кнопкой в центре, удерживайте кнопку и задайте радиус</translation>
    </message>
    <message>
        <source>RECTANGLE:  Left click to select start point, hold button and draw rectangle</source>
        <translation>ПРЯМОУГОЛЬНИК:  щёлкните левой кнопкой в начальной точке, удерживайте кнопку и растяните прямоугольник</translation>
    </message>
</context>
<context>
    <name>TEditTool</name>
    <message>
        <source>EDIT:  Move the node; ALT = 45° corners, CTRL = free position</source>
        <translation>РЕДАКТИРОВАНИЕ:  перемещение узла; ALT = углы 45°, CTRL = свободное положение</translation>
    </message>
    <message>
        <source>EDIT:  Draw a selection area; every element it touches is selected</source>
        <translation>РЕДАКТИРОВАНИЕ:  область выделения; выделяется всё, чего она касается</translation>
    </message>
    <message>
        <source>Start:</source>
        <translation>Начало:</translation>
    </message>
    <message>
        <source>Stop:</source>
        <translation>Конец:</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Диаметр:</translation>
    </message>
</context>
<context>
    <name>TMeasureTool</name>
    <message>
        <source>DISTANCE:  Click to starting point, hold button and move the mouse</source>
        <translation>РАССТОЯНИЕ:  щёлкните в начальной точке, удерживайте кнопку и двигайте мышь</translation>
    </message>
    <message>
        <source>Angle:</source>
        <translation>Угол:</translation>
    </message>
</context>
<context>
    <name>TPadTool</name>
    <message>
        <source>SMD-PAD:  Place with left mouse button, abort with right mouse button</source>
        <translation>SMD-КОНТАКТ:  разместить левой кнопкой мыши, отмена правой кнопкой</translation>
    </message>
    <message>
        <source>PAD:  Place with left mouse button, abort with right mouse button</source>
        <translation>КОНТАКТ:  разместить левой кнопкой мыши, отмена правой кнопкой</translation>
    </message>
</context>
<context>
    <name>TPolylineTool</name>
    <message>
        <source>ZONE:  Left click for the next node, finish on the first node or with right mouse button</source>
        <translation>ПОЛИГОН:  левый щелчок — следующий узел, завершение на первом узле или правой кнопкой мыши</translation>
    </message>
    <message>
        <source>ZONE:  Left click to select start point</source>
        <translation>ПОЛИГОН:  щёлкните левой кнопкой в начальной точке</translation>
    </message>
    <message>
        <source>TRACK:  Left click for the next node, finish with right mouse button</source>
        <translation>ДОРОЖКА:  левый щелчок — следующий узел, завершение правой кнопкой мыши</translation>
    </message>
    <message>
        <source>TRACK:  Left click to select start point</source>
        <translation>ДОРОЖКА:  щёлкните левой кнопкой в начальной точке</translation>
    </message>
    <message>
        <source>Change the pad into a throughhole-pad (via)?</source>
        <translation>Превратить контакт в переходное отверстие (via)?</translation>
    </message>
</context>
<context>
    <name>TSolderMaskTool</name>
    <message>
        <source>SOLDER-MASK:  Select an element to add or delete it from the solder mask</source>
        <translation>МАСКА ПАЙКИ:  выберите элемент, чтобы добавить его в маску пайки или удалить из неё</translation>
    </message>
</context>
<context>
    <name>TTestTool</name>
    <message>
        <source>TEST:  Click to highlight connected elements</source>
        <translation>ТЕСТ:  Щёлкните, чтобы выделить соединённые элементы</translation>
    </message>
</context>
<context>
    <name>TTextTool</name>
    <message>
        <source>TEXT:  Place with left mouse button, abort with right mouse button</source>
        <translation>ТЕКСТ:  разместить левой кнопкой мыши, отмена правой кнопкой</translation>
    </message>
</context>
<context>
    <name>bs::app::TBTList</name>
    <message>
        <source>Components</source>
        <translation>Компоненты</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Обозн</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Номин</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Слой</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Угол</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Корпус</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Коммент</translation>
    </message>
    <message>
        <source>Show:</source>
        <translation>Показать:</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Верх</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Низ</translation>
    </message>
</context>
<context>
    <name>bs::app::TBT_ExportDlg</name>
    <message>
        <source>Component-Data Export</source>
        <translation>Экспорт данных компонентов</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Номер</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>Обозн</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Номин</translation>
    </message>
    <message>
        <source>Layer</source>
        <translation>Слой</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Позиция</translation>
    </message>
    <message>
        <source>Rotation</source>
        <translation>Угол</translation>
    </message>
    <message>
        <source>Package</source>
        <translation>Корпус</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Коммент</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Данные</translation>
    </message>
    <message>
        <source>Drag the columns into their order</source>
        <translation>Перетащите столбцы в нужном порядке</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Запятая</translation>
    </message>
    <message>
        <source>Semicolon</source>
        <translation>Точка с запятой</translation>
    </message>
    <message>
        <source>Tab</source>
        <translation>Табуляция</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>Text for Layer side</source>
        <translation>Текст для стороны</translation>
    </message>
    <message>
        <source>Top:</source>
        <translation>Верх:</translation>
    </message>
    <message>
        <source>Bottom:</source>
        <translation>Низ:</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>мм</translation>
    </message>
    <message>
        <source>Suppress trailing zeros</source>
        <translation>Убрать конечные нули</translation>
    </message>
    <message>
        <source>X/Y - Position</source>
        <translation>Позиция X/Y</translation>
    </message>
    <message>
        <source>Unit:</source>
        <translation>Единица:</translation>
    </message>
    <message>
        <source>Decimals:</source>
        <translation>Знаков после запятой:</translation>
    </message>
    <message>
        <source>Rotation with &quot;R&quot; prefix</source>
        <translation>Угол с префиксом &quot;R&quot;</translation>
    </message>
    <message>
        <source>Filter</source>
        <translation>Фильтр</translation>
    </message>
    <message>
        <source>SMD-Components</source>
        <translation>SMD-компоненты</translation>
    </message>
    <message>
        <source>Throughhole-Components</source>
        <translation>Выводные компоненты</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Верх</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Низ</translation>
    </message>
    <message>
        <source>Only components with Pick+Place data</source>
        <translation>Только компоненты с данными монтажа</translation>
    </message>
    <message>
        <source>Component list (*.txt)</source>
        <translation>Список компонентов (*.txt)</translation>
    </message>
    <message>
        <source>Fabrication (CSV)</source>
        <translation>Для производства (CSV)</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>Column order:</source>
        <translation>Порядок столбцов:</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>Разделитель</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Формат:</translation>
    </message>
</context>
<context>
    <name>bs::app::TBezWertDlg</name>
    <message>
        <source>Component</source>
        <translation>Компонент</translation>
    </message>
    <message>
        <source>Visible</source>
        <translation>Видимый</translation>
    </message>
    <message>
        <source>ID:</source>
        <translation>Обозначение:</translation>
    </message>
    <message>
        <source>Layer:</source>
        <translation>Слой:</translation>
    </message>
    <message>
        <source>Value:</source>
        <translation>Номинал:</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Узкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Широкий</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Тонкий</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Жирный</translation>
    </message>
    <message>
        <source>Text properties:</source>
        <translation>Свойства текста:</translation>
    </message>
    <message>
        <source>Use Pick+ Place Data</source>
        <translation>Использовать данные монтажа</translation>
    </message>
    <message>
        <source>Center Copper</source>
        <translation>Центр по меди</translation>
    </message>
    <message>
        <source>Center Silkscreen</source>
        <translation>Центр по маркировке</translation>
    </message>
    <message>
        <source>Center Copper+ Silk</source>
        <translation>Центр по меди и маркировке</translation>
    </message>
    <message>
        <source>Y-Offset:</source>
        <translation>Смещение Y:</translation>
    </message>
    <message>
        <source>Rotation:</source>
        <translation>Угол:</translation>
    </message>
    <message>
        <source>Package:</source>
        <translation>Корпус:</translation>
    </message>
    <message>
        <source>Comment</source>
        <translation>Коммент</translation>
    </message>
    <message>
        <source>Center:</source>
        <translation>Центр:</translation>
    </message>
    <message>
        <source>X-Offset:</source>
        <translation>Смещение X:</translation>
    </message>
    <message>
        <source>Align text automatically</source>
        <translation>Выровнять текст автоматически</translation>
    </message>
    <message>
        <source>Disintegrate Component</source>
        <translation>Расформировать компонент</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>bs::app::TBoardPage</name>
    <message>
        <source>Multilayer</source>
        <translation>Многослойная</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Высота:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>Area:</source>
        <translation>Площадь:</translation>
    </message>
</context>
<context>
    <name>bs::app::TBohrInfoDlg</name>
    <message>
        <source>Drillings</source>
        <translation>Отверстия</translation>
    </message>
    <message>
        <source>Simple drillings</source>
        <translation>Простые отверстия</translation>
    </message>
    <message>
        <source>Through-Hole pads</source>
        <translation>Переходные отверстия</translation>
    </message>
    <message>
        <source>Clip&amp;board...</source>
        <translation>&amp;Буфер обмена...</translation>
    </message>
    <message>
        <source>The text is now in the clipboard</source>
        <translation>Текст помещён в буфер обмена</translation>
    </message>
</context>
<context>
    <name>bs::app::TCirclePage</name>
    <message>
        <source>No Gerber export fot filled segments.</source>
        <translation>Залитые сегменты не выводятся в Gerber.</translation>
    </message>
    <message>
        <source>Filled</source>
        <translation>Заливка</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Область выреза</translation>
    </message>
    <message>
        <source>The segment is drawn anticlockwise from the start to the stop angle.</source>
        <translation>Сегмент рисуется против часовой стрелки от начального угла к конечному.</translation>
    </message>
    <message>
        <source>Track width:</source>
        <translation>Ширина дорожки:</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Диаметр:</translation>
    </message>
    <message>
        <source>Start angle:</source>
        <translation>Начальный угол:</translation>
    </message>
    <message>
        <source>Stop angle:</source>
        <translation>Конечный угол:</translation>
    </message>
</context>
<context>
    <name>bs::app::TDrcPanel</name>
    <message>
        <source>Copper:</source>
        <translation>Медь:</translation>
    </message>
    <message>
        <source>Drillings:</source>
        <translation>Отверстия:</translation>
    </message>
    <message>
        <source>Drilling min:</source>
        <translation>Отверстие мин.:</translation>
    </message>
    <message>
        <source>Drilling max:</source>
        <translation>Отверстие макс.:</translation>
    </message>
    <message>
        <source>Track min:</source>
        <translation>Дорожка мин.:</translation>
    </message>
    <message>
        <source>Annular ring min:</source>
        <translation>Кольцо пятачка мин.:</translation>
    </message>
    <message>
        <source>Silkscreen min:</source>
        <translation>Шелкография мин.:</translation>
    </message>
    <message>
        <source>Silkscreen over pads</source>
        <translation>Шелкография на контактах</translation>
    </message>
    <message>
        <source>Drilling on SMD pads</source>
        <translation>Отверстия в SMD-контактах</translation>
    </message>
    <message>
        <source>Pads without soldermask</source>
        <translation>Контакты без маски пайки</translation>
    </message>
    <message>
        <source>Soldermask out of pads</source>
        <translation>Маска пайки вне контактов</translation>
    </message>
    <message>
        <source>Minimum distance</source>
        <translation>Минимальное расстояние</translation>
    </message>
    <message>
        <source>Min/Max</source>
        <translation>Мин./Макс.</translation>
    </message>
    <message>
        <source>Miscellaneous</source>
        <translation>Разное</translation>
    </message>
    <message>
        <source>Complete...</source>
        <translation>Полностью...</translation>
    </message>
    <message>
        <source>Window...</source>
        <translation>Окно...</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Выбрать все</translation>
    </message>
    <message>
        <source>DRC-Panel</source>
        <translation>Панель DRC</translation>
    </message>
    <message>
        <source>DRC running...</source>
        <translation>Идёт проверка DRC...</translation>
    </message>
</context>
<context>
    <name>bs::app::TEditCommands</name>
    <message>
        <source>C&amp;opy</source>
        <translation>&amp;Копировать</translation>
    </message>
    <message>
        <source>&amp;Cut</source>
        <translation>&amp;Вырезать</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>Вст&amp;авить</translation>
    </message>
    <message>
        <source>D&amp;uplicate</source>
        <translation>&amp;Дублировать</translation>
    </message>
    <message>
        <source>&amp;Delete [Del]</source>
        <translation>&amp;Удалить [Del]</translation>
    </message>
    <message>
        <source>Select &amp;all</source>
        <translation>Выделить &amp;всё</translation>
    </message>
    <message>
        <source>&amp;Rotate</source>
        <translation>&amp;Повернуть</translation>
    </message>
    <message>
        <source>Rotate counter-clockwise</source>
        <translation>Повернуть против часовой стрелки</translation>
    </message>
    <message>
        <source>Mirror &amp;horizontal</source>
        <translation>Отразить по &amp;горизонтали</translation>
    </message>
    <message>
        <source>Mirror &amp;vertical</source>
        <translation>Отразить по в&amp;ертикали</translation>
    </message>
    <message>
        <source>Build &amp;group</source>
        <translation>Создать &amp;группу</translation>
    </message>
    <message>
        <source>Split gro&amp;up</source>
        <translation>Р&amp;азгруппировать</translation>
    </message>
    <message>
        <source>Change board side</source>
        <translation>Сменить сторону платы</translation>
    </message>
    <message>
        <source>Snap to grid</source>
        <translation>Привязать к сетке</translation>
    </message>
    <message>
        <source>Align top</source>
        <translation>Выровнять по верху</translation>
    </message>
    <message>
        <source>Align bottom</source>
        <translation>Выровнять по низу</translation>
    </message>
    <message>
        <source>Align left</source>
        <translation>Выровнять влево</translation>
    </message>
    <message>
        <source>Align right</source>
        <translation>Выровнять вправо</translation>
    </message>
    <message>
        <source>Align horizontal-center</source>
        <translation>Выровнять по центру по горизонтали</translation>
    </message>
    <message>
        <source>Align vertical-center</source>
        <translation>Выровнять по центру по вертикали</translation>
    </message>
    <message>
        <source>Set to layer</source>
        <translation>Перенести на слой</translation>
    </message>
    <message>
        <source>Delete elements outside the board</source>
        <translation>Удалить элементы вне платы</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>Повернуть</translation>
    </message>
    <message>
        <source>Mirror horizontal</source>
        <translation>Отразить по горизонтали</translation>
    </message>
    <message>
        <source>Mirror vertical</source>
        <translation>Отразить по вертикали</translation>
    </message>
    <message>
        <source>Build group</source>
        <translation>Создать группу</translation>
    </message>
    <message>
        <source>Split group</source>
        <translation>Разгруппировать</translation>
    </message>
    <message>
        <source>F&amp;unctions</source>
        <translation>&amp;Функции</translation>
    </message>
    <message>
        <source>Align</source>
        <translation>Выровнять</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Функции</translation>
    </message>
    <message>
        <source>Rotation angle</source>
        <translation>Угол поворота</translation>
    </message>
    <message>
        <source>Rotational angle [°]</source>
        <translation>Угол поворота [°]</translation>
    </message>
    <message>
        <source>PASTE:  Place with left mouse button, abort with right mouse button</source>
        <translation>ВСТАВКА:  разместить левой кнопкой мыши, отмена правой кнопкой</translation>
    </message>
    <message>
        <source>Set origin</source>
        <translation>Установить нулевую точку</translation>
    </message>
    <message>
        <source>Set to top/left</source>
        <translation>В левый верхний угол</translation>
    </message>
    <message>
        <source>Set to bottom/left</source>
        <translation>В левый нижний угол</translation>
    </message>
    <message>
        <source>Set to click-position</source>
        <translation>В точку щелчка</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Копировать</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Вырезать</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Вставить</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Дублировать</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Name...</source>
        <translation>Имя...</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>Select: </source>
        <translation>Выделить: </translation>
    </message>
    <message>
        <source>Remove node</source>
        <translation>Удалить узел</translation>
    </message>
    <message>
        <source>Add node</source>
        <translation>Добавить узел</translation>
    </message>
    <message>
        <source>Snap node to grid</source>
        <translation>Привязать узел к сетке</translation>
    </message>
    <message>
        <source>Snap all nodes to grid</source>
        <translation>Привязать все узлы к сетке</translation>
    </message>
    <message>
        <source>Split track</source>
        <translation>Разделить дорожку</translation>
    </message>
    <message>
        <source>Join tracks</source>
        <translation>Соединить дорожки</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Свойства</translation>
    </message>
    <message>
        <source>Component...</source>
        <translation>Компонент...</translation>
    </message>
</context>
<context>
    <name>bs::app::TExportDlg</name>
    <message>
        <source>JPG-Export (all visible layer)</source>
        <translation>Экспорт JPG (все видимые слои)</translation>
    </message>
    <message>
        <source>GIF-Export (all visible layer)</source>
        <translation>Экспорт GIF (все видимые слои)</translation>
    </message>
    <message>
        <source>Bitmap export (all visible layers)</source>
        <translation>Экспорт BMP (все видимые слои)</translation>
    </message>
    <message>
        <source>Resolution</source>
        <translation>Разрешение</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Низкое</translation>
    </message>
    <message>
        <source>High</source>
        <translation>Высокое</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Размер:</translation>
    </message>
    <message>
        <source>Resolution:</source>
        <translation>Разрешение:</translation>
    </message>
    <message>
        <source>Pixels:</source>
        <translation>Пиксели:</translation>
    </message>
    <message>
        <source>Memory consumption:</source>
        <translation>Расход памяти:</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>&amp;B/W</source>
        <translation>&amp;Ч/Б</translation>
    </message>
    <message>
        <source>&amp;Colored</source>
        <translation>&amp;Цветной</translation>
    </message>
    <message>
        <source>You are about to create a large bitmap.
Better make sure that your work is saved.

Continue ?</source>
        <translation>Вы собираетесь создать большое изображение.
Убедитесь, что работа сохранена.

Продолжить?</translation>
    </message>
</context>
<context>
    <name>bs::app::TGerberDateinamenDlg</name>
    <message>
        <source>File extensions</source>
        <translation>Окончания имён файлов</translation>
    </message>
    <message>
        <source>Default...</source>
        <translation>По умолчанию...</translation>
    </message>
    <message>
        <source>Reset all filenames to default values ?</source>
        <translation>Вернуть всем именам файлов значения по умолчанию?</translation>
    </message>
    <message>
        <source>Common endings</source>
        <translation>Обычные окончания</translation>
    </message>
    <message>
        <source>Copper .GTL/.GBL, silkscreen .GTO/.GBO, solder mask .GTS/.GBS, SMD paste .GTP/.GBP, outline .GKO, inner layers .G1/.G2</source>
        <translation>Медь .GTL/.GBL, шелкография .GTO/.GBO, маска пайки .GTS/.GBS, паста SMD .GTP/.GBP, контур .GKO, внутренние слои .G1/.G2</translation>
    </message>
</context>
<context>
    <name>bs::app::TGerberDlg</name>
    <message>
        <source>C1 - Copper Top</source>
        <translation>Ф1 - Медь сверху</translation>
    </message>
    <message>
        <source>C2 - Copper Bottom</source>
        <translation>Ф2 - Медь снизу</translation>
    </message>
    <message>
        <source>S1 - Silkscreen Top</source>
        <translation>Ш1 - Шелкография сверху</translation>
    </message>
    <message>
        <source>S2 - Silkscreen Bottom</source>
        <translation>Ш2 - Шелкография снизу</translation>
    </message>
    <message>
        <source>I1 - Copper Inner 1</source>
        <translation>В1 - Внутренний слой 1</translation>
    </message>
    <message>
        <source>I2 - Copper Inner 2</source>
        <translation>В2 - Внутренний слой 2</translation>
    </message>
    <message>
        <source>O - Outline</source>
        <translation>К - Контур</translation>
    </message>
    <message>
        <source>C1 - Solder mask</source>
        <translation>Ф1 - Маска пайки</translation>
    </message>
    <message>
        <source>C2 - Solder mask</source>
        <translation>Ф2 - Маска пайки</translation>
    </message>
    <message>
        <source>C1 - SMD mask</source>
        <translation>Ф1 - SMD-маска</translation>
    </message>
    <message>
        <source>C2 - SMD mask</source>
        <translation>Ф2 - SMD-маска</translation>
    </message>
    <message>
        <source>Gerber export</source>
        <translation>Экспорт Gerber</translation>
    </message>
    <message>
        <source>Layers</source>
        <translation>Слои</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Зеркально</translation>
    </message>
    <message>
        <source>Include frame (board size)</source>
        <translation>С рамкой (размер платы)</translation>
    </message>
    <message>
        <source>Punch drill holes</source>
        <translation>Вырезать отверстия</translation>
    </message>
    <message>
        <source>Center punch only (0.3 mm)</source>
        <translation>Только кернение (0,3 мм)</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Маска пайки</translation>
    </message>
    <message>
        <source>Pads</source>
        <translation>Контактные площадки</translation>
    </message>
    <message>
        <source>SMD pads</source>
        <translation>SMD-площадки</translation>
    </message>
    <message>
        <source>Others</source>
        <translation>Прочие</translation>
    </message>
    <message>
        <source>Inverted</source>
        <translation>Инвертировать</translation>
    </message>
    <message>
        <source>Offset:</source>
        <translation>Отступ:</translation>
    </message>
    <message>
        <source>SMD mask</source>
        <translation>SMD-маска</translation>
    </message>
    <message>
        <source>File extensions...</source>
        <translation>Окончания имён...</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>File name prefix:</source>
        <translation>Начало имени файла:</translation>
    </message>
    <message>
        <source>Output folder:</source>
        <translation>Папка вывода:</translation>
    </message>
    <message>
        <source>Created files:</source>
        <translation>Созданные файлы:</translation>
    </message>
    <message>
        <source>Create Gerber files...</source>
        <translation>Создать файлы Gerber...</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <source>Please select a folder.</source>
        <translation>Выберите папку.</translation>
    </message>
    <message>
        <source>The directory: &quot;%1&quot; does not exist.

Please select a new output folder.</source>
        <translation>Папка &quot;%1&quot; не существует.

Выберите другую папку вывода.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; already exists.

Overwrite?</source>
        <translation>Файл &quot;%1&quot; уже существует.

Перезаписать?</translation>
    </message>
    <message>
        <source>%1 files created.</source>
        <translation>Создано файлов: %1.</translation>
    </message>
</context>
<context>
    <name>bs::app::TGroundPlaneBar</name>
    <message>
        <source>Ground plane</source>
        <translation>Общая шина</translation>
    </message>
    <message>
        <source>Enable or disable the automatic ground plane for the active copper layer</source>
        <translation>Включить или выключить автоматическую общую шину на активном слое меди</translation>
    </message>
    <message>
        <source>Distance</source>
        <translation>Зазор</translation>
    </message>
    <message>
        <source>Adjust the distance from ground plane for selected and new elements</source>
        <translation>Зазор до общей шины для выделенных и новых элементов</translation>
    </message>
    <message>
        <source>Cutout as polygon</source>
        <translation>Вырез многоугольником</translation>
    </message>
    <message>
        <source>Generate polygon-cutout-areas in the ground plane</source>
        <translation>Создать вырезы-многоугольники в полигоне земли</translation>
    </message>
    <message>
        <source>Cutout as rectangle</source>
        <translation>Вырез прямоугольником</translation>
    </message>
    <message>
        <source>Generate rectangle-cutout-areas in the ground plane</source>
        <translation>Создать прямоугольные вырезы в полигоне земли</translation>
    </message>
</context>
<context>
    <name>bs::app::THelpWindow</name>
    <message>
        <source>Boardsmith - Help</source>
        <translation>Boardsmith - Справка</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Назад</translation>
    </message>
    <message>
        <source>Contents</source>
        <translation>Содержание</translation>
    </message>
</context>
<context>
    <name>bs::app::TInfoWindow</name>
    <message>
        <source>An editor for printed circuit boards.</source>
        <translation>Редактор печатных плат.</translation>
    </message>
    <message>
        <source>Boardsmith uses these libraries:</source>
        <translation>Boardsmith использует эти библиотеки:</translation>
    </message>
    <message>
        <source>Library</source>
        <translation>Библиотека</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <source>Licence</source>
        <translation>Лицензия</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>Информация</translation>
    </message>
</context>
<context>
    <name>bs::app::TKeyPanel</name>
    <message>
        <source> = Fine adjustment   </source>
        <translation> = Точная настройка   </translation>
    </message>
    <message>
        <source> = Grid off   </source>
        <translation> = Без сетки   </translation>
    </message>
    <message>
        <source> = Capture off   </source>
        <translation> = Без захвата   </translation>
    </message>
    <message>
        <source> = 1/2 grid   </source>
        <translation> = 1/2 сетки   </translation>
    </message>
    <message>
        <source> = Change bend mode  </source>
        <translation> = Режим изгиба  </translation>
    </message>
</context>
<context>
    <name>bs::app::TLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>The language could not be saved in &quot;%1&quot;.</source>
        <translation>Не удалось сохранить язык в &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The new language is used when Boardsmith is started the next time.</source>
        <translation>Новый язык будет использован при следующем запуске Boardsmith.</translation>
    </message>
</context>
<context>
    <name>bs::app::TLayerBar</name>
    <message>
        <source>Layers</source>
        <translation>Слои</translation>
    </message>
    <message>
        <source>Show or hide the layer</source>
        <translation>Показать или скрыть слой</translation>
    </message>
    <message>
        <source>Make the layer the active one</source>
        <translation>Сделать слой активным</translation>
    </message>
</context>
<context>
    <name>bs::app::TLochDlg</name>
    <message>
        <source>%1 drillings on the silkscreen layer.
These drillings will be ignored.</source>
        <translation>Отверстий на слое шелкографии: %1.
Эти отверстия не учитываются.</translation>
    </message>
    <message>
        <source>Excellon export</source>
        <translation>Экспорт Excellon</translation>
    </message>
    <message>
        <source>Drilling side</source>
        <translation>Сторона сверления</translation>
    </message>
    <message>
        <source>Top (default)</source>
        <translation>Сверху (по умолчанию)</translation>
    </message>
    <message>
        <source>Bottom (x-mirrored, Gerber comp.)</source>
        <translation>Снизу (зеркально по X, как Gerber)</translation>
    </message>
    <message>
        <source>Bottom (x-mirrored, HPGL comp.)</source>
        <translation>Снизу (зеркально по X, как HPGL)</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Формат</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>мм</translation>
    </message>
    <message>
        <source>Inch</source>
        <translation>Дюймы</translation>
    </message>
    <message>
        <source>(format 3.2 )</source>
        <translation>(формат 3.2 )</translation>
    </message>
    <message>
        <source>(format 3.3 )</source>
        <translation>(формат 3.3 )</translation>
    </message>
    <message>
        <source>(format 2.4)</source>
        <translation>(формат 2.4)</translation>
    </message>
    <message>
        <source>Delete leading zeros</source>
        <translation>Без ведущих нулей</translation>
    </message>
    <message>
        <source>Output with decimal point</source>
        <translation>С десятичной точкой</translation>
    </message>
    <message>
        <source>M71/72 instead of METRIC/INCH</source>
        <translation>M71/72 вместо METRIC/INCH</translation>
    </message>
    <message>
        <source>Drillings</source>
        <translation>Отверстия</translation>
    </message>
    <message>
        <source>Simple drillings</source>
        <translation>Простые отверстия</translation>
    </message>
    <message>
        <source>Through-holes</source>
        <translation>Переходные отверстия</translation>
    </message>
    <message>
        <source>Sort drillings</source>
        <translation>Сортировать отверстия</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Вывод</translation>
    </message>
    <message>
        <source>Suppress comments</source>
        <translation>Без комментариев</translation>
    </message>
    <message>
        <source>Suppress G90 - code</source>
        <translation>Без кода G90</translation>
    </message>
    <message>
        <source>Drill data uses EXCELLON format.</source>
        <translation>Данные сверления в формате EXCELLON.</translation>
    </message>
    <message>
        <source>Drill files (*.drl)</source>
        <translation>Файлы сверления (*.drl)</translation>
    </message>
</context>
<context>
    <name>bs::app::TMacroPanel</name>
    <message>
        <source>Macro-Library</source>
        <translation>Библиотека макросов</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <source>Save as macro</source>
        <translation>Сохранить как макрос</translation>
    </message>
    <message>
        <source>Delete macro</source>
        <translation>Удалить макрос</translation>
    </message>
    <message>
        <source>Board side of the macro</source>
        <translation>Сторона платы макроса</translation>
    </message>
    <message>
        <source>Rotate macro</source>
        <translation>Повернуть макрос</translation>
    </message>
    <message>
        <source>Through-Pads (vias)</source>
        <translation>Переходные отверстия</translation>
    </message>
    <message>
        <source>Add as component</source>
        <translation>Добавить как компонент</translation>
    </message>
    <message>
        <source>Discard the changes of the macro?</source>
        <translation>Отменить изменения макроса?</translation>
    </message>
</context>
<context>
    <name>bs::app::TMacroPreview</name>
    <message>
        <source>Drag the macro onto the board</source>
        <translation>Перетащите макрос на плату</translation>
    </message>
</context>
<context>
    <name>bs::app::TMainWindow</name>
    <message>
        <source>Layout files (*.bsm*);;All Files (*)</source>
        <translation>Файлы плат (*.bsm*);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>File not found</source>
        <translation>Файл не найден</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Новый...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>&amp;Открыть...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Сохранить</translation>
    </message>
    <message>
        <source>S&amp;ave as...</source>
        <translation>Сохранить &amp;как...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Copy board</source>
        <translation>Копировать плату</translation>
    </message>
    <message>
        <source>&amp;Delete board...</source>
        <translation>&amp;Удалить плату...</translation>
    </message>
    <message>
        <source>Set board to &amp;right</source>
        <translation>Переместить плату в &amp;конец</translation>
    </message>
    <message>
        <source>Set board to &amp;left</source>
        <translation>Переместить плату в &amp;начало</translation>
    </message>
    <message>
        <source>Move board to &amp;right</source>
        <translation>Сдвинуть плату в&amp;право</translation>
    </message>
    <message>
        <source>Move board to &amp;left</source>
        <translation>Сдвинуть плату в&amp;лево</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation>&amp;Плата</translation>
    </message>
    <message>
        <source>&amp;Add new board...</source>
        <translation>&amp;Добавить новую плату...</translation>
    </message>
    <message>
        <source>Add new board...</source>
        <translation>Добавить новую плату...</translation>
    </message>
    <message>
        <source>&amp;Import boards from file...</source>
        <translation>&amp;Импорт плат из файла...</translation>
    </message>
    <message>
        <source>Import boards</source>
        <translation>Импорт плат</translation>
    </message>
    <message>
        <source>E&amp;xtras</source>
        <translation>&amp;Сервис</translation>
    </message>
    <message>
        <source>Project info...</source>
        <translation>Информация о проекте...</translation>
    </message>
    <message>
        <source>Reset solder mask...</source>
        <translation>Сбросить маску пайки...</translation>
    </message>
    <message>
        <source>This function will undo all manual changes to the solder mask,
and reset the solder mask to default (all Pads and SMD-Pads).

Continue?</source>
        <translation>Эта функция отменит все ручные изменения маски пайки
и вернёт маску пайки к исходной (все контакты и SMD-контакты).

Продолжить?</translation>
    </message>
    <message>
        <source>The solder mask was reset to its defaults.</source>
        <translation>Маска пайки возвращена к исходной.</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>Board-Zoom</source>
        <translation>Обзор платы</translation>
    </message>
    <message>
        <source>Show Board-Zoom</source>
        <translation>Показать обзор платы</translation>
    </message>
    <message>
        <source>Zoom &amp;board</source>
        <translation>Масштаб: вся &amp;плата</translation>
    </message>
    <message>
        <source>Zoom &amp;objects</source>
        <translation>Масштаб: все &amp;объекты</translation>
    </message>
    <message>
        <source>Zoom &amp;selection</source>
        <translation>Масштаб: &amp;выделенное</translation>
    </message>
    <message>
        <source>Zoom previous</source>
        <translation>Предыдущий масштаб</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Antialias</source>
        <translation>Сглаживание</translation>
    </message>
    <message>
        <source>Inch-based (2.54 mm = RM)</source>
        <translation>Дюймовая (2.54 мм = RM)</translation>
    </message>
    <message>
        <source>Metric</source>
        <translation>Метрическая</translation>
    </message>
    <message>
        <source>Add user grid...</source>
        <translation>Добавить свою сетку...</translation>
    </message>
    <message>
        <source>User grid</source>
        <translation>Своя сетка</translation>
    </message>
    <message>
        <source>Grid in mm:</source>
        <translation>Сетка в мм:</translation>
    </message>
    <message>
        <source>Remove user grid</source>
        <translation>Удалить свою сетку</translation>
    </message>
    <message>
        <source>Lines</source>
        <translation>Линии</translation>
    </message>
    <message>
        <source>Dots</source>
        <translation>Точки</translation>
    </message>
    <message>
        <source>Subdivision</source>
        <translation>Выделение линий</translation>
    </message>
    <message>
        <source>Every %1 lines</source>
        <translation>Каждая %1-я линия</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Нет</translation>
    </message>
    <message>
        <source>Show grid</source>
        <translation>Показать сетку</translation>
    </message>
    <message>
        <source>Project info</source>
        <translation>Информация о проекте</translation>
    </message>
    <message>
        <source>Title:</source>
        <translation>Название:</translation>
    </message>
    <message>
        <source>Author:</source>
        <translation>Автор:</translation>
    </message>
    <message>
        <source>Company:</source>
        <translation>Организация:</translation>
    </message>
    <message>
        <source>Comment:</source>
        <translation>Комментарий:</translation>
    </message>
    <message>
        <source>Autosave...</source>
        <translation>Автосохранение...</translation>
    </message>
    <message>
        <source>File not found!</source>
        <translation>Файл не найден!</translation>
    </message>
    <message>
        <source>Save as</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>The settings could not be written.</source>
        <translation>Не удалось записать настройки.</translation>
    </message>
    <message>
        <source>&amp;AutoSave...</source>
        <translation>&amp;Автосохранение...</translation>
    </message>
    <message>
        <source>Directories...</source>
        <translation>Папки...</translation>
    </message>
    <message>
        <source>General settings...</source>
        <translation>Общие настройки...</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>П&amp;равка</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>E&amp;xport</source>
        <translation>&amp;Экспорт</translation>
    </message>
    <message>
        <source>&amp;Gerber Export...</source>
        <translation>Экспорт &amp;Gerber...</translation>
    </message>
    <message>
        <source>&amp;Drill data (Excellon)...</source>
        <translation>&amp;Данные сверловки (Excellon)...</translation>
    </message>
    <message>
        <source>List drillings...</source>
        <translation>Список отверстий...</translation>
    </message>
    <message>
        <source>&amp;Remove connections (rubberbands)</source>
        <translation>&amp;Удалить лишние связи (резинки)</translation>
    </message>
    <message>
        <source>&amp;Properties</source>
        <translation>&amp;Свойства</translation>
    </message>
    <message>
        <source>Board properties</source>
        <translation>Свойства платы</translation>
    </message>
    <message>
        <source>Properties-Panel</source>
        <translation>Панель свойств</translation>
    </message>
    <message>
        <source>Show/hide Properties-Panel</source>
        <translation>Показать/скрыть панель свойств</translation>
    </message>
    <message>
        <source>Round</source>
        <translation>Круглый</translation>
    </message>
    <message>
        <source>Octagon</source>
        <translation>Восьмиугольный</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>Квадратный</translation>
    </message>
    <message>
        <source>Rounded, horizontal</source>
        <translation>Скруглённый, горизонтальный</translation>
    </message>
    <message>
        <source>Octagon, horizontal</source>
        <translation>Восьмиугольный, горизонтальный</translation>
    </message>
    <message>
        <source>Rectangle, horizontal</source>
        <translation>Прямоугольный, горизонтальный</translation>
    </message>
    <message>
        <source>Rounded, vertical</source>
        <translation>Скруглённый, вертикальный</translation>
    </message>
    <message>
        <source>Octagon, vertical</source>
        <translation>Восьмиугольный, вертикальный</translation>
    </message>
    <message>
        <source>Rectangle, vertical</source>
        <translation>Прямоугольный, вертикальный</translation>
    </message>
    <message>
        <source>Through pad</source>
        <translation>Переходное отверстие</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Дорожка</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Полигон</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>Захват</translation>
    </message>
    <message>
        <source>Automatic capture of connection points</source>
        <translation>Автоматический захват точек соединения</translation>
    </message>
    <message>
        <source>Rubber band</source>
        <translation>Резинка</translation>
    </message>
    <message>
        <source>Track ends near moved pads follow them</source>
        <translation>Концы дорожек у перемещаемых контактов следуют за ними</translation>
    </message>
    <message>
        <source>Small (0.5 mm)</source>
        <translation>Малая (0,5 мм)</translation>
    </message>
    <message>
        <source>Large (1 mm)</source>
        <translation>Большая (1 мм)</translation>
    </message>
    <message>
        <source>Autosave failed: %1</source>
        <translation>Автосохранение не выполнено: %1</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>&amp;Index...</source>
        <translation>&amp;Содержание...</translation>
    </message>
    <message>
        <source>I&amp;nfo...</source>
        <translation>&amp;Информация...</translation>
    </message>
    <message>
        <source>DRC-Panel</source>
        <translation>Панель DRC</translation>
    </message>
    <message>
        <source>Text-IO: Export elements...</source>
        <translation>Text-IO: Экспорт элементов...</translation>
    </message>
    <message>
        <source>Text-IO: Import elements...</source>
        <translation>Text-IO: Импорт элементов...</translation>
    </message>
    <message>
        <source>Only the selected elements (%1) will be exported.</source>
        <translation>Будут экспортированы только выбранные элементы (%1).</translation>
    </message>
    <message>
        <source>Text-IO: Export elements</source>
        <translation>Text-IO: Экспорт элементов</translation>
    </message>
    <message>
        <source>Textfiles (*.txt);;All files (*)</source>
        <translation>Текстовые файлы (*.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Text-IO: Import elements</source>
        <translation>Text-IO: Импорт элементов</translation>
    </message>
    <message>
        <source>&amp;Bitmap (*.bmp)...</source>
        <translation>&amp;Изображение BMP (*.bmp)...</translation>
    </message>
    <message>
        <source>&amp;JPG (*.jpg)...</source>
        <translation>&amp;JPG (*.jpg)...</translation>
    </message>
    <message>
        <source>G&amp;IF (*.gif)...</source>
        <translation>G&amp;IF (*.gif)...</translation>
    </message>
    <message>
        <source>JPG-Files (*.jpg)</source>
        <translation>Файлы JPG (*.jpg)</translation>
    </message>
    <message>
        <source>GIF-Files (*.gif)</source>
        <translation>Файлы GIF (*.gif)</translation>
    </message>
    <message>
        <source>Bitmap files (*.bmp)</source>
        <translation>Файлы BMP (*.bmp)</translation>
    </message>
    <message>
        <source>Save picture</source>
        <translation>Сохранить изображение</translation>
    </message>
    <message>
        <source>Error creating JPG-file. Please try another resolution (dpi).</source>
        <translation>Ошибка создания файла JPG. Попробуйте другое разрешение (dpi).</translation>
    </message>
    <message>
        <source>The picture could not be encoded: %1</source>
        <translation>Не удалось закодировать изображение: %1</translation>
    </message>
    <message>
        <source>The picture is too large for this file format.</source>
        <translation>Изображение слишком велико для этого формата файла.</translation>
    </message>
    <message>
        <source>The picture could not be made.</source>
        <translation>Не удалось создать изображение.</translation>
    </message>
    <message>
        <source>Save as &amp;macro...</source>
        <translation>Сохранить как &amp;макрос...</translation>
    </message>
    <message>
        <source>Macro-Library</source>
        <translation>Библиотека макросов</translation>
    </message>
    <message>
        <source>Show/hide Macro-Library</source>
        <translation>Показать/скрыть библиотеку макросов</translation>
    </message>
    <message>
        <source>Savce macro</source>
        <translation>Сохранить макрос</translation>
    </message>
    <message>
        <source>Save as macro</source>
        <translation>Сохранить как макрос</translation>
    </message>
    <message>
        <source>Layout-Macros (*.bmk)</source>
        <translation>Макросы разводки (*.bmk)</translation>
    </message>
    <message>
        <source>Drop the macro on the board</source>
        <translation>Отпустите макрос на плате</translation>
    </message>
    <message>
        <source>Add as component</source>
        <translation>Добавить как компонент</translation>
    </message>
    <message>
        <source>Components-Panel</source>
        <translation>Панель компонентов</translation>
    </message>
    <message>
        <source>Show/hide Component-Panel</source>
        <translation>Показать/скрыть панель компонентов</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Экспорт...</translation>
    </message>
    <message>
        <source>CSV files (*.csv);;All files (*)</source>
        <translation>Файлы CSV (*.csv);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Selector-Panel</source>
        <translation>Панель селектора</translation>
    </message>
    <message>
        <source>Show/hide Selector-Panel</source>
        <translation>Показать/скрыть панель селектора</translation>
    </message>
</context>
<context>
    <name>bs::app::TNewBoardDialog</name>
    <message>
        <source>New board</source>
        <translation>Новая плата</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Имя:</translation>
    </message>
    <message>
        <source>Empty working-space
without PCB outline</source>
        <translation>Пустое рабочее поле
без контура платы</translation>
    </message>
    <message>
        <source>Working-space
with rectangle
PCB outline</source>
        <translation>Рабочее поле
с прямоугольным
контуром платы</translation>
    </message>
    <message>
        <source>Working-space
with round
PCB outline</source>
        <translation>Рабочее поле
с круглым
контуром платы</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Height:</source>
        <translation>Высота:</translation>
    </message>
    <message>
        <source>Size of working-space:</source>
        <translation>Размер рабочего поля:</translation>
    </message>
    <message>
        <source>Distance:</source>
        <translation>Отступ:</translation>
    </message>
    <message>
        <source>Rectangle board outline:</source>
        <translation>Прямоугольный контур платы:</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Диаметр:</translation>
    </message>
    <message>
        <source>Round board outline:</source>
        <translation>Круглый контур платы:</translation>
    </message>
    <message>
        <source>Resulting working-space:</source>
        <translation>Итоговое рабочее поле:</translation>
    </message>
</context>
<context>
    <name>bs::app::TNumberRules</name>
    <message>
        <source>&quot;%1&quot; is not a valid value here; the field keeps its value.</source>
        <translation>&quot;%1&quot; здесь недопустимо; поле сохраняет своё значение.</translation>
    </message>
    <message>
        <source>%1 is out of range (%2 to %3); the limit was taken.</source>
        <translation>%1 вне диапазона (от %2 до %3); принято предельное значение.</translation>
    </message>
</context>
<context>
    <name>bs::app::TOptionsDialog</name>
    <message>
        <source>General settings</source>
        <translation>Общие настройки</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Цвета</translation>
    </message>
    <message>
        <source>Working-Directories</source>
        <translation>Рабочие папки</translation>
    </message>
    <message>
        <source>Macro-Directory</source>
        <translation>Папка макросов</translation>
    </message>
    <message>
        <source>Undo-Depth</source>
        <translation>Глубина отмены</translation>
    </message>
    <message>
        <source>Imax</source>
        <translation>Imax</translation>
    </message>
    <message>
        <source>Hotkeys</source>
        <translation>Горячие клавиши</translation>
    </message>
    <message>
        <source>Crosshair</source>
        <translation>Перекрестие</translation>
    </message>
    <message>
        <source>AutoSave</source>
        <translation>Автосохранение</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Проекты</translation>
    </message>
    <message>
        <source>Gerber</source>
        <translation>Gerber</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Растр</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Шаблон</translation>
    </message>
    <message>
        <source>HPGL</source>
        <translation>HPGL</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Дорожка</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Контакт</translation>
    </message>
    <message>
        <source>SMD-Pad</source>
        <translation>SMD-контакт</translation>
    </message>
    <message>
        <source>Circle</source>
        <translation>Окружность</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Полигон</translation>
    </message>
    <message>
        <source>Special form</source>
        <translation>Спецформа</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Connections</source>
        <translation>Связи</translation>
    </message>
    <message>
        <source>Autoroute</source>
        <translation>Автотрассировка</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Photoview</source>
        <translation>Фотовид</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Маска пайки</translation>
    </message>
    <message>
        <source>Background</source>
        <translation>Фон</translation>
    </message>
    <message>
        <source>C1 (copper top)</source>
        <translation>Ф1 (фольга сверху)</translation>
    </message>
    <message>
        <source>S1 (silkscreen top)</source>
        <translation>Ш1 (шелкография сверху)</translation>
    </message>
    <message>
        <source>C2 (copper bottom)</source>
        <translation>Ф2 (фольга снизу)</translation>
    </message>
    <message>
        <source>S2 (silkscreen bottom)</source>
        <translation>Ш2 (шелкография снизу)</translation>
    </message>
    <message>
        <source>I1 (inner layer 1)</source>
        <translation>В1 (внутренний слой 1)</translation>
    </message>
    <message>
        <source>I2 (inner layer 2)</source>
        <translation>В2 (внутренний слой 2)</translation>
    </message>
    <message>
        <source>O (outline)</source>
        <translation>К (контур)</translation>
    </message>
    <message>
        <source>Connections (rubberbands)</source>
        <translation>Связи (резиновые нити)</translation>
    </message>
    <message>
        <source>Through-Pads (vias)</source>
        <translation>Переходные отверстия</translation>
    </message>
    <message>
        <source>Grid lines</source>
        <translation>Линии сетки</translation>
    </message>
    <message>
        <source>Grid dots</source>
        <translation>Точки сетки</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <source>Unit</source>
        <translation>Единицы</translation>
    </message>
    <message>
        <source>mm</source>
        <translation>мм</translation>
    </message>
    <message>
        <source>mil</source>
        <translation>mil</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Вид</translation>
    </message>
    <message>
        <source>Show Board-Zoom</source>
        <translation>Показать обзор платы</translation>
    </message>
    <message>
        <source>Darken ground-plane</source>
        <translation>Затемнять общую шину</translation>
    </message>
    <message>
        <source>Show ground-plane of all layers simultaneous</source>
        <translation>Показывать общую шину всех слоёв одновременно</translation>
    </message>
    <message>
        <source>Background color</source>
        <translation>Цвет фона</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Белый</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Чёрный</translation>
    </message>
    <message>
        <source>Drillings:</source>
        <translation>Отверстия:</translation>
    </message>
    <message>
        <source>TEST mode</source>
        <translation>Режим ТЕСТ</translation>
    </message>
    <message>
        <source>Blinking TEST mode</source>
        <translation>Мигание в режиме ТЕСТ</translation>
    </message>
    <message>
        <source>Consider connections (rubberbands) in TEST mode</source>
        <translation>Учитывать связи (резиновые нити) в режиме ТЕСТ</translation>
    </message>
    <message>
        <source>Editing</source>
        <translation>Редактирование</translation>
    </message>
    <message>
        <source>Component ID and value always readable after rotating</source>
        <translation>Обозначение и номинал всегда читаемы после поворота</translation>
    </message>
    <message>
        <source>Optimize nodes of a track automatically</source>
        <translation>Автоматически оптимизировать узлы дорожки</translation>
    </message>
    <message>
        <source>CTRL-Key necessary to capture values during selections</source>
        <translation>Захват значений при выделении только с клавишей CTRL</translation>
    </message>
    <message>
        <source>Origin top/left (instead of bottom/left)</source>
        <translation>Начало координат слева вверху (вместо слева внизу)</translation>
    </message>
    <message>
        <source>Use origin in CAM-export (Gerber/Excellon/HPGL)</source>
        <translation>Использовать начало координат при экспорте CAM (Gerber/Excellon/HPGL)</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Стандарт</translation>
    </message>
    <message>
        <source>User 1</source>
        <translation>Пользователь 1</translation>
    </message>
    <message>
        <source>User 2</source>
        <translation>Пользователь 2</translation>
    </message>
    <message>
        <source>User 3</source>
        <translation>Пользователь 3</translation>
    </message>
    <message>
        <source>Color scheme:</source>
        <translation>Цветовая схема:</translation>
    </message>
    <message>
        <source>Reset scheme to default</source>
        <translation>Вернуть схему по умолчанию</translation>
    </message>
    <message>
        <source>The scheme &quot;Standard&quot; cannot be changed.</source>
        <translation>Схему &quot;Стандарт&quot; изменить нельзя.</translation>
    </message>
    <message>
        <source>Please select a default-directory for </source>
        <translation>Выберите папку по умолчанию: </translation>
    </message>
    <message>
        <source>Use the same folder for all file types</source>
        <translation>Одна папка для всех типов файлов</translation>
    </message>
    <message>
        <source>An empty field: the file dialogs start in the folder used last.</source>
        <translation>Пустое поле: диалоги файлов открываются в последней использованной папке.</translation>
    </message>
    <message>
        <source>Every file dialog then starts in the folder of the current project.</source>
        <translation>Тогда каждый диалог файлов открывается в папке текущего проекта.</translation>
    </message>
    <message>
        <source>Change...</source>
        <translation>Изменить...</translation>
    </message>
    <message>
        <source>Please select the macro directory</source>
        <translation>Выберите папку макросов</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Сбросить</translation>
    </message>
    <message>
        <source>explore</source>
        <translation>Открыть</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist.</source>
        <translation>Папка &quot;%1&quot; не существует.</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; could not be opened.</source>
        <translation>Не удалось открыть папку &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The macro library shows the macros of this folder and its subfolders.</source>
        <translation>Библиотека макросов показывает макросы этой папки и её подпапок.</translation>
    </message>
    <message>
        <source>Number of undo steps (1 ... 50):</source>
        <translation>Число шагов отмены (1 ... 50):</translation>
    </message>
    <message>
        <source>Each step keeps a copy of the whole board.</source>
        <translation>Каждый шаг хранит копию всей платы.</translation>
    </message>
    <message>
        <source>Copper thickness:</source>
        <translation>Толщина меди:</translation>
    </message>
    <message>
        <source>Temperature rise:</source>
        <translation>Допустимый нагрев:</translation>
    </message>
    <message>
        <source>The calculation of the max. current-carrying capacity for a track,
is only a coarse approximate value.
The real value is depending on many other factors and the environment.</source>
        <translation>Расчёт максимально допустимого тока дорожки
даёт лишь грубое приближённое значение.
Реальное значение зависит от многих других факторов и условий.</translation>
    </message>
    <message>
        <source>An empty field: the tool has no hotkey. The pointer tool always has Esc.</source>
        <translation>Пустое поле: у инструмента нет горячей клавиши. Указатель всегда вызывается клавишей Esc.</translation>
    </message>
    <message>
        <source>Show coordinates on crosshair</source>
        <translation>Показывать координаты на перекрестии</translation>
    </message>
    <message>
        <source>Big Text</source>
        <translation>Крупный текст</translation>
    </message>
    <message>
        <source>Transparent</source>
        <translation>Прозрачный</translation>
    </message>
    <message>
        <source>Black Background</source>
        <translation>Чёрный фон</translation>
    </message>
    <message>
        <source>White Background</source>
        <translation>Белый фон</translation>
    </message>
    <message>
        <source>Show 45° lines</source>
        <translation>Показывать линии под 45°</translation>
    </message>
    <message>
        <source> min</source>
        <translation> мин</translation>
    </message>
    <message>
        <source>Interval:</source>
        <translation>Интервал:</translation>
    </message>
    <message>
        <source>Activate AutoSave</source>
        <translation>Включить автосохранение</translation>
    </message>
    <message>
        <source>A saved project is copied at this interval to its file name with &quot;.bak&quot; appended.</source>
        <translation>Сохранённый проект копируется с этим интервалом в файл с тем же именем и окончанием &quot;.bak&quot;.</translation>
    </message>
    <message>
        <source>You have changed the colors.
Save changes?</source>
        <translation>Цвета изменены.
Сохранить изменения?</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written.</source>
        <translation>Не удалось записать файл &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The hotkey &quot;%1&quot; is already in use.</source>
        <translation>Горячая клавиша &quot;%1&quot; уже используется.</translation>
    </message>
    <message>
        <source>Limit text height (track width min. 0.15 mm)</source>
        <translation>Ограничить высоту текста (толщина линии не менее 0.15 мм)</translation>
    </message>
</context>
<context>
    <name>bs::app::TPropertiesPage</name>
    <message>
        <source>Center:</source>
        <translation>Центр:</translation>
    </message>
</context>
<context>
    <name>bs::app::TPropertiesPanel</name>
    <message>
        <source>; Pads</source>
        <translation>; Контакты</translation>
    </message>
    <message>
        <source>; Pad</source>
        <translation>; Контакт</translation>
    </message>
    <message>
        <source>; SMD pads</source>
        <translation>; SMD-контакты</translation>
    </message>
    <message>
        <source>; SMD pad</source>
        <translation>; SMD-контакт</translation>
    </message>
    <message>
        <source>; Texts</source>
        <translation>; Тексты</translation>
    </message>
    <message>
        <source>; Text</source>
        <translation>; Текст</translation>
    </message>
    <message>
        <source>; Circles</source>
        <translation>; Окружности</translation>
    </message>
    <message>
        <source>; Circle</source>
        <translation>; Окружность</translation>
    </message>
    <message>
        <source>; Tracks</source>
        <translation>; Дорожки</translation>
    </message>
    <message>
        <source>; Track</source>
        <translation>; Дорожка</translation>
    </message>
    <message>
        <source>; Zones</source>
        <translation>; Полигоны</translation>
    </message>
    <message>
        <source>; Zone</source>
        <translation>; Полигон</translation>
    </message>
    <message>
        <source>Multiselect:</source>
        <translation>Множественный выбор:</translation>
    </message>
    <message>
        <source>Properties    </source>
        <translation>Свойства    </translation>
    </message>
    <message>
        <source>Board</source>
        <translation>Плата</translation>
    </message>
</context>
<context>
    <name>bs::app::TSelector</name>
    <message>
        <source>Selector</source>
        <translation>Селектор</translation>
    </message>
    <message>
        <source>All Pads</source>
        <translation>Все площадки</translation>
    </message>
    <message>
        <source>Vias</source>
        <translation>Переходные отверстия</translation>
    </message>
    <message>
        <source>SMD-Pads</source>
        <translation>SMD-площадки</translation>
    </message>
    <message>
        <source>Tracks</source>
        <translation>Дорожки</translation>
    </message>
    <message>
        <source>Text labels</source>
        <translation>Надписи</translation>
    </message>
    <message>
        <source>Only copper</source>
        <translation>Только медь</translation>
    </message>
    <message>
        <source>Only silkscreen / outline</source>
        <translation>Только маркировка / контур</translation>
    </message>
    <message>
        <source>All layer</source>
        <translation>Все слои</translation>
    </message>
    <message>
        <source>Automatic zoom: how much of the view the found elements fill</source>
        <translation>Автомасштаб: какую часть окна занимают найденные элементы</translation>
    </message>
    <message>
        <source>Elements:</source>
        <translation>Элементы:</translation>
    </message>
    <message>
        <source>Sorting:</source>
        <translation>Сортировка:</translation>
    </message>
    <message>
        <source>Layer:</source>
        <translation>Слой:</translation>
    </message>
    <message>
        <source>Automatic zoom:</source>
        <translation>Автомасштаб:</translation>
    </message>
    <message>
        <source>Drillings</source>
        <translation>Отверстия</translation>
    </message>
    <message>
        <source>Annular ring size</source>
        <translation>Ширина пояска</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Shape</source>
        <translation>Форма</translation>
    </message>
    <message>
        <source>Line width</source>
        <translation>Ширина линии</translation>
    </message>
    <message>
        <source>Text height</source>
        <translation>Высота текста</translation>
    </message>
    <message>
        <source>Thickness</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <source>Text content</source>
        <translation>Содержание текста</translation>
    </message>
    <message>
        <source>1 Element</source>
        <translation>1 Элемент</translation>
    </message>
    <message>
        <source>%1 Elements</source>
        <translation>%1 элементов</translation>
    </message>
</context>
<context>
    <name>bs::app::TSizeBar</name>
    <message>
        <source>Sizes</source>
        <translation>Размеры</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Дорожка</translation>
    </message>
    <message>
        <source>Track width</source>
        <translation>Ширина дорожки</translation>
    </message>
    <message>
        <source>Pad</source>
        <translation>Пятачок</translation>
    </message>
    <message>
        <source>Pad outer diameter</source>
        <translation>Наружный диаметр пятачка</translation>
    </message>
    <message>
        <source>Drill</source>
        <translation>Отверстие</translation>
    </message>
    <message>
        <source>Pad drill diameter</source>
        <translation>Диаметр отверстия пятачка</translation>
    </message>
    <message>
        <source>SMD</source>
        <translation>SMD</translation>
    </message>
    <message>
        <source>SMD pad width</source>
        <translation>Ширина SMD-контакта</translation>
    </message>
    <message>
        <source>SMD pad height</source>
        <translation>Высота SMD-контакта</translation>
    </message>
    <message>
        <source>Favourites</source>
        <translation>Избранное</translation>
    </message>
    <message>
        <source>Flip</source>
        <translation>Поменять</translation>
    </message>
    <message>
        <source>Exchange SMD width and height</source>
        <translation>Поменять местами ширину и высоту SMD-контакта</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
</context>
<context>
    <name>bs::app::TSmdPage</name>
    <message>
        <source>SMD pad sizes</source>
        <translation>Размеры SMD-контактов</translation>
    </message>
    <message>
        <source>Thermal pad</source>
        <translation>Термобарьер</translation>
    </message>
    <message>
        <source>Size:</source>
        <translation>Размер:</translation>
    </message>
</context>
<context>
    <name>bs::app::TTextDialog</name>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Высота</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Тонкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Жирный</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Стиль</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Узкий</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Широкий</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Зеркально</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>По горизонтали</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>По вертикали</translation>
    </message>
    <message>
        <source>Orientation</source>
        <translation>Ориентация</translation>
    </message>
    <message>
        <source>Automatic</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <source>Add number</source>
        <translation>Добавлять номер</translation>
    </message>
    <message>
        <source>Start at:</source>
        <translation>Начать с:</translation>
    </message>
</context>
<context>
    <name>bs::app::TTextPage</name>
    <message>
        <source>Horizontal</source>
        <translation>По горизонтали</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>По вертикали</translation>
    </message>
    <message>
        <source>Narrow</source>
        <translation>Узкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Обычный</translation>
    </message>
    <message>
        <source>Wide</source>
        <translation>Широкий</translation>
    </message>
    <message>
        <source>Thin</source>
        <translation>Тонкий</translation>
    </message>
    <message>
        <source>Bold</source>
        <translation>Жирный</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Область выреза</translation>
    </message>
    <message>
        <source>Text height:</source>
        <translation>Высота текста:</translation>
    </message>
    <message>
        <source>Angle</source>
        <translation>Угол</translation>
    </message>
    <message>
        <source>Mirror</source>
        <translation>Зеркально</translation>
    </message>
    <message>
        <source>Style</source>
        <translation>Стиль</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Толщина</translation>
    </message>
    <message>
        <source>text-thickness:</source>
        <translation>толщина текста:</translation>
    </message>
</context>
<context>
    <name>bs::app::TThermalBox</name>
    <message>
        <source>All layer equal</source>
        <translation>Одинаково на всех слоях</translation>
    </message>
    <message>
        <source>Layer individual</source>
        <translation>Отдельно для каждого слоя</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Positions:</source>
        <translation>Положения:</translation>
    </message>
</context>
<context>
    <name>bs::app::TThtPage</name>
    <message>
        <source>Pad sizes</source>
        <translation>Размеры контактов</translation>
    </message>
    <message>
        <source>Through pad</source>
        <translation>Переходное отверстие</translation>
    </message>
    <message>
        <source>Thermal pad</source>
        <translation>Термобарьер</translation>
    </message>
    <message>
        <source>Shape:</source>
        <translation>Форма:</translation>
    </message>
    <message>
        <source>Diameter:</source>
        <translation>Диаметр:</translation>
    </message>
    <message>
        <source>Drill:</source>
        <translation>Отверстие:</translation>
    </message>
    <message>
        <source>Assign the thermal spokes to all layers?</source>
        <translation>Применить перемычки термобарьера ко всем слоям?</translation>
    </message>
</context>
<context>
    <name>bs::app::TToolPalette</name>
    <message>
        <source>Tools</source>
        <translation>Инструменты</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Редактирование</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Масштаб</translation>
    </message>
    <message>
        <source>Zoom previous</source>
        <translation>Предыдущий масштаб</translation>
    </message>
    <message>
        <source>Zoom board</source>
        <translation>Масштаб: вся плата</translation>
    </message>
    <message>
        <source>Zoom objects</source>
        <translation>Масштаб: все объекты</translation>
    </message>
    <message>
        <source>Zoom selection</source>
        <translation>Масштаб: выделенное</translation>
    </message>
    <message>
        <source>ZOOM:  Left click to zoom in, right click to zoom out, drag a rectangle to zoom to it</source>
        <translation>МАСШТАБ:  левый щелчок — увеличить, правый щелчок — уменьшить, рамка — показать её целиком</translation>
    </message>
    <message>
        <source>EDIT:  Select elements with the left mouse button, drag to move them</source>
        <translation>РЕДАКТИРОВАНИЕ:  выделение элементов левой кнопкой мыши, перемещение перетаскиванием</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>Измерение</translation>
    </message>
    <message>
        <source>Test</source>
        <translation>Тест</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Дорожка</translation>
    </message>
    <message>
        <source>THT pad</source>
        <translation>THT-контакт</translation>
    </message>
    <message>
        <source>SMD pad</source>
        <translation>SMD-контакт</translation>
    </message>
    <message>
        <source>Circle / arc</source>
        <translation>Окружность / дуга</translation>
    </message>
    <message>
        <source>Rectangle</source>
        <translation>Прямоугольник</translation>
    </message>
    <message>
        <source>Zone</source>
        <translation>Полигон</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Текст</translation>
    </message>
    <message>
        <source>Solder mask</source>
        <translation>Маска пайки</translation>
    </message>
    <message>
        <source>Connections (rubberbands)</source>
        <translation>Связи (резинки)</translation>
    </message>
</context>
<context>
    <name>bs::app::TTrackPage</name>
    <message>
        <source>Length:</source>
        <translation>Длина:</translation>
    </message>
    <message>
        <source>Nodes:</source>
        <translation>Узлов:</translation>
    </message>
    <message>
        <source>Max. current:</source>
        <translation>Макс. ток:</translation>
    </message>
    <message>
        <source>Start of the track: flat or round</source>
        <translation>Начало дорожки: плоское или круглое окончание</translation>
    </message>
    <message>
        <source>End of the track: flat or round</source>
        <translation>Конец дорожки: плоское или круглое окончание</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Область выреза</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
    <message>
        <source>Ends:</source>
        <translation>Концы:</translation>
    </message>
</context>
<context>
    <name>bs::app::TZonePage</name>
    <message>
        <source>Nodes:</source>
        <translation>Узлов:</translation>
    </message>
    <message>
        <source>Hatched</source>
        <translation>Штриховка</translation>
    </message>
    <message>
        <source>Outline:</source>
        <translation>Контур:</translation>
    </message>
    <message>
        <source>Self-defined</source>
        <translation>Вручную</translation>
    </message>
    <message>
        <source>Cutout-area</source>
        <translation>Область выреза</translation>
    </message>
    <message>
        <source>Outline</source>
        <translation>Контур</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Ширина:</translation>
    </message>
</context>
<context>
    <name>core</name>
    <message>
        <source>&quot;%1&quot; is not a Boardsmith file.</source>
        <translation>&quot;%1&quot; не является файлом Boardsmith.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; was created with a newer version of Boardsmith (Version %2).<byte value="xd"/>Your version of Boardsmith is not able to open this file.</source>
        <translation>&quot;%1&quot; создан более новой версией Boardsmith (версия %2).<byte value="xd"/>Ваша версия Boardsmith не может открыть этот файл.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be read.</source>
        <translation>Не удалось прочитать файл &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; is damaged or incomplete.</source>
        <translation>Файл &quot;%1&quot; повреждён или неполон.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written.</source>
        <translation>Не удалось записать файл &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Could not delete file &quot;%1&quot;.</source>
        <translation>Не удалось удалить файл &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The file will be saved with the new file extension &quot;.bsm6&quot;.<byte value="xd"/><byte value="xd"/>Do you want to keep the older original file?</source>
        <translation>Файл будет сохранён с новым расширением &quot;.bsm6&quot;.<byte value="xd"/><byte value="xd"/>Сохранить старый исходный файл?</translation>
    </message>
    <message>
        <source>This layout was create with an older version.<byte value="xd"/><byte value="xd"/>The elements on the copper-layer C1 and C2 will be exchanged,<byte value="xd"/>because of the new layer-structure.</source>
        <translation>Этот проект создан в более старой версии.<byte value="xd"/><byte value="xd"/>Элементы медных слоёв Ф1 и Ф2 будут переставлены<byte value="xd"/>из-за новой структуры слоёв.</translation>
    </message>
    <message>
        <source>Laoding macros...<byte value="xd"/>%1</source>
        <translation>Загрузка макросов...<byte value="xd"/>%1</translation>
    </message>
    <message>
        <source>Cannot rename file.</source>
        <translation>Не удалось переименовать файл.</translation>
    </message>
    <message>
        <source>Save changes?</source>
        <translation>Сохранить изменения?</translation>
    </message>
    <message>
        <source>A project must at least contains one board.</source>
        <translation>Проект должен содержать хотя бы одну плату.</translation>
    </message>
    <message>
        <source>All elements on the inner layer I1 and I2 will be deleted.<byte value="xd"/><byte value="xd"/>Continue ?</source>
        <translation>Все элементы внутренних слоёв В1 и В2 будут удалены.<byte value="xd"/><byte value="xd"/>Продолжить?</translation>
    </message>
    <message>
        <source>A new Board named &quot;%1&quot; was added.</source>
        <translation>Добавлена новая плата &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>The board is too big!</source>
        <translation>Плата слишком большая!</translation>
    </message>
    <message>
        <source>The width must lie between %1 mm and %2 mm.</source>
        <translation>Ширина должна быть от %1 мм до %2 мм.</translation>
    </message>
    <message>
        <source>The height must lie between %1 mm and %2 mm.</source>
        <translation>Высота должна быть от %1 мм до %2 мм.</translation>
    </message>
    <message>
        <source>The distance must lie between %1 mm and %2 mm.</source>
        <translation>Расстояние должно быть от %1 мм до %2 мм.</translation>
    </message>
    <message>
        <source>The diameter must lie between %1 mm and %2 mm.</source>
        <translation>Диаметр должен быть от %1 мм до %2 мм.</translation>
    </message>
    <message>
        <source>The grid must be at least 0.001 mm.</source>
        <translation>Шаг сетки должен быть не меньше 0,001 мм.</translation>
    </message>
    <message>
        <source>The grid must not be larger than 10 mm.</source>
        <translation>Шаг сетки должен быть не больше 10 мм.</translation>
    </message>
    <message>
        <source>The grid must be a number with at most six digits.</source>
        <translation>Шаг сетки должен быть числом не более чем из шести цифр.</translation>
    </message>
    <message>
        <source>%1 connections (rubberbands) removed.<byte value="xd"/>%2 connections (rubberbands) remaining.</source>
        <translation>Удалено связей (резинок): %1.<byte value="xd"/>Осталось связей (резинок): %2.</translation>
    </message>
    <message>
        <source>The text could not be generated.</source>
        <translation>Не удалось создать текст.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a file that can be opened.</source>
        <translation>&quot;%1&quot; не является файлом, который можно открыть.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; can not be written:<byte value="xd"/>%2</source>
        <translation>Файл &quot;%1&quot; не может быть записан:<byte value="xd"/>%2</translation>
    </message>
    <message>
        <source>The position %1 mm does not fit the number format of the file &quot;%2&quot;.</source>
        <translation>Позиция %1 мм не помещается в числовой формат файла &quot;%2&quot;.</translation>
    </message>
    <message>
        <source>The board needs a name.</source>
        <translation>Плате нужно имя.</translation>
    </message>
    <message>
        <source>%1 element(s) lie wholly outside the working space and will be deleted when saving.<byte value="xd"/><byte value="xd"/>Continue?</source>
        <translation>Элементов полностью вне рабочей области: %1. При сохранении они будут удалены.<byte value="xd"/><byte value="xd"/>Продолжить?</translation>
    </message>
    <message>
        <source>Copper too close to other copper</source>
        <translation>Расстояние очень маленькое</translation>
    </message>
    <message>
        <source>Gap to the ground plane too small</source>
        <translation>Зазор на общей шине маленький</translation>
    </message>
    <message>
        <source>Drillings too close together</source>
        <translation>Отверстия близко друг к другу</translation>
    </message>
    <message>
        <source>Drilling too small</source>
        <translation>Отверстие очень маленькое</translation>
    </message>
    <message>
        <source>Drilling too large</source>
        <translation>Отверстие очень большое</translation>
    </message>
    <message>
        <source>Track too thin</source>
        <translation>Ширина дорожки очень узкая</translation>
    </message>
    <message>
        <source>Annular ring too small</source>
        <translation>Ширина кольца пятачка мала</translation>
    </message>
    <message>
        <source>Silkscreen over pad</source>
        <translation>Шелкография закрывает контакт</translation>
    </message>
    <message>
        <source>Drilling on SMD pad</source>
        <translation>Отверстие в SMD-контакте</translation>
    </message>
    <message>
        <source>Pad without soldermask</source>
        <translation>Контакт без маски пайки</translation>
    </message>
    <message>
        <source>Non-pad with soldermask</source>
        <translation>Маска пайки не на контакте</translation>
    </message>
    <message>
        <source>Silkscreen too thin</source>
        <translation>Линия шелкографии очень тонкая</translation>
    </message>
    <message>
        <source>%1 errors</source>
        <translation>%1 ошибок</translation>
    </message>
    <message>
        <source>The macro can not be loaded.</source>
        <translation>Макрос не может быть загружен.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; already exists.</source>
        <translation>&quot;%1&quot; уже существует.</translation>
    </message>
    <message>
        <source>Delete file &quot;%1&quot; ?</source>
        <translation>Удалить файл &quot;%1&quot; ?</translation>
    </message>
    <message>
        <source>There are no elements on the board.</source>
        <translation>На плате нет элементов.</translation>
    </message>
    <message>
        <source>No objects selected.<byte value="xd"/>Save whole layout as macro?</source>
        <translation>Объекты не выбраны.<byte value="xd"/>Сохранить всю разводку как макрос?</translation>
    </message>
    <message>
        <source>No valid data found.</source>
        <translation>Допустимые данные не найдены.</translation>
    </message>
    <message>
        <source>The macro consists of more than 1 component.<byte value="xd"/>A separate editing of the components is not possible.</source>
        <translation>Макрос состоит более чем из одного компонента.<byte value="xd"/>Раздельное редактирование компонентов невозможно.</translation>
    </message>
    <message>
        <source>Do you want to create a component from the selected elements ?</source>
        <translation>Создать компонент из выбранных элементов ?</translation>
    </message>
    <message>
        <source>Apply changes for all selected components ?</source>
        <translation>Применить изменения ко всем выбранным компонентам ?</translation>
    </message>
    <message>
        <source>Disintegrate the component?<byte value="xd"/>Its ID and value labels and its pick-and-place data are deleted.</source>
        <translation>Расформировать компонент?<byte value="xd"/>Его обозначение, номинал и данные монтажа будут удалены.</translation>
    </message>
    <message>
        <source>The board already holds 32767 components; no further component can be made.</source>
        <translation>На плате уже 32767 компонентов; новый компонент создать нельзя.</translation>
    </message>
</context>
</TS>
