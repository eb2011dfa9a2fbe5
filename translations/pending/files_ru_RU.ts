<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CCsvExporter</name>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="40"/>
        <source>B1 DC</source>
        <translation>B1 DC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="40"/>
        <source>B1 AC</source>
        <translation>B1 AC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="41"/>
        <source>B1F DC</source>
        <translation>B1F DC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="41"/>
        <source>B1F AC</source>
        <translation>B1F AC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="42"/>
        <source>B2 DC</source>
        <translation>B2 DC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="42"/>
        <source>B2 AC</source>
        <translation>B2 AC</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="65"/>
        <source>Num</source>
        <translation>№</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="65"/>
        <source>Band</source>
        <translation>Канал</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="65"/>
        <source>Date Time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="65"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="67"/>
        <source>%1 (dB)</source>
        <translation>%1 (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="67"/>
        <source>%1 Threshold (dB)</source>
        <translation>%1 порог (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="69"/>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <location filename="../../src/app/csvexporter.cpp" line="69"/>
        <source>Frequency</source>
        <translation>Частота</translation>
    </message>
</context>
<context>
    <name>CDeviceFiles</name>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="52"/>
        <source>No storage folder is selected.</source>
        <translation>Папка хранилища не выбрана.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="56"/>
        <source>The folder %1 does not exist.</source>
        <translation>Папка %1 не существует.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="68"/>
        <source>Could not create %1: %2</source>
        <translation>Не удалось создать %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="81"/>
        <location filename="../../src/device/devicefiles.cpp" line="86"/>
        <source>Could not write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="96"/>
        <source>The log holds no events.</source>
        <translation>Журнал не содержит событий.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="213"/>
        <location filename="../../src/device/devicefiles.cpp" line="226"/>
        <source>There is no data to save.</source>
        <translation>Нет данных для сохранения.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="242"/>
        <source>Could not open %1: %2</source>
        <translation>Не удалось открыть %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="247"/>
        <source>The file is too short to be a data file.</source>
        <translation>Файл слишком короткий для файла данных.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="254"/>
        <source>The file is too large to be a data file.</source>
        <translation>Файл слишком большой для файла данных.</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="259"/>
        <source>Could not read %1: %2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <location filename="../../src/device/devicefiles.cpp" line="264"/>
        <source>The file has the unknown format version %1.</source>
        <translation>Файл имеет неизвестную версию формата %1.</translation>
    </message>
</context>
<context>
    <name>CLogView</name>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>Num</source>
        <translation>№</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>Band</source>
        <translation>Канал</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>Alarm Time</source>
        <translation>Время тревоги</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>1DC (dB)</source>
        <translation>1DC (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="59"/>
        <source>1AC (dB)</source>
        <translation>1AC (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="60"/>
        <source>2DC (dB)</source>
        <translation>2DC (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="60"/>
        <source>2AC (dB)</source>
        <translation>2AC (дБ)</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="60"/>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="60"/>
        <source>Freq (MHz)</source>
        <translation>Частота (МГц)</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="60"/>
        <source>Comment</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="73"/>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="75"/>
        <source>1F</source>
        <translation>1F</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="77"/>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="79"/>
        <location filename="../../src/app/logview.cpp" line="102"/>
        <source>n/a</source>
        <translation>н/д</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="236"/>
        <source>No connection with the device!</source>
        <translation>Нет связи с прибором!</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="239"/>
        <source>Downloading the log...</source>
        <translation>Загрузка журнала...</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="240"/>
        <source>Reading the log from the internal flash memory</source>
        <translation>Чтение журнала из внутренней флэш-памяти</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="247"/>
        <source>An error occured reading the log. Retry?</source>
        <translation>Ошибка при чтении журнала. Повторить?</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="252"/>
        <source>Parsing the log...</source>
        <translation>Разбор журнала...</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="257"/>
        <source>An error occured parsing log!</source>
        <translation>Ошибка при разборе журнала!</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="268"/>
        <source>The log has been read, but it holds no events.</source>
        <translation>Журнал прочитан, но не содержит событий.</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="272"/>
        <source>The log has been successfully read!</source>
        <translation>Журнал успешно прочитан!</translation>
    </message>
    <message>
        <location filename="../../src/app/logview.cpp" line="275"/>
        <source>The log has been downloaded and parsed</source>
        <translation>Журнал загружен и разобран</translation>
    </message>
</context>
<context>
    <name>CStorageBrowser</name>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="62"/>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="282"/>
        <source>The name may not contain / \ &lt; &gt; : &quot; | ? * or control characters, may not be &quot;.&quot; or &quot;..&quot; and may not end with a blank or a dot.</source>
        <translation>Имя не может содержать / \ &lt; &gt; : &quot; | ? * и управляющие символы, не может быть &quot;.&quot; или &quot;..&quot; и не может оканчиваться пробелом или точкой.</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="290"/>
        <source>Loading file...</source>
        <translation>Загрузка файла...</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="295"/>
        <location filename="../../src/app/storagebrowser.cpp" line="461"/>
        <source>An error occured loading the file!</source>
        <translation>Ошибка при загрузке файла!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="299"/>
        <source>A file loaded</source>
        <translation>Файл загружен</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="319"/>
        <source>Select a storage folder</source>
        <translation>Выберите папку хранилища</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="327"/>
        <source>New storage has been loaded</source>
        <translation>Новое хранилище загружено</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="336"/>
        <source>Create a folder</source>
        <translation>Создание папки</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="336"/>
        <source>Folder name:</source>
        <translation>Имя папки:</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="346"/>
        <source>Could not create a folder!</source>
        <translation>Не удалось создать папку!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="351"/>
        <source>A folder created</source>
        <translation>Папка создана</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="361"/>
        <source>Rename a file</source>
        <translation>Переименование файла</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="361"/>
        <source>New file name:</source>
        <translation>Новое имя файла:</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="373"/>
        <source>Could not rename the file!</source>
        <translation>Не удалось переименовать файл!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="378"/>
        <source>A file renamed</source>
        <translation>Файл переименован</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="388"/>
        <source>Do you really want to delete the folder and all its content?</source>
        <translation>Вы действительно хотите удалить папку со всем содержимым?</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="391"/>
        <source>Could not delete the folder!</source>
        <translation>Не удалось удалить папку!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="395"/>
        <source>A folder has been deleted</source>
        <translation>Папка удалена</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="397"/>
        <source>Do you really want to delete the file?</source>
        <translation>Вы действительно хотите удалить файл?</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="400"/>
        <source>Could not delete the file!</source>
        <translation>Не удалось удалить файл!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="404"/>
        <source>A file has been deleted</source>
        <translation>Файл удалён</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="410"/>
        <source>Do you really want to delete all the items in the archive?</source>
        <translation>Вы действительно хотите удалить все элементы архива?</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="415"/>
        <source>Could not delete the items of this storage folder!</source>
        <translation>Не удалось удалить содержимое этой папки хранилища!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="425"/>
        <source>Some items could not be deleted!</source>
        <translation>Некоторые элементы не удалось удалить!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="433"/>
        <source>There&apos;s no data to save!</source>
        <translation>Нет данных для сохранения!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="441"/>
        <source>An error occured saving collected data!</source>
        <translation>Ошибка при сохранении собранных данных!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="446"/>
        <source>Collected data saved</source>
        <translation>Собранные данные сохранены</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="455"/>
        <source>Select a log or realtime file to export.</source>
        <translation>Выберите файл журнала или файл реального времени для экспорта.</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="466"/>
        <source>Export CSV</source>
        <translation>Экспорт в CSV</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="471"/>
        <source>Could not export the file!</source>
        <translation>Не удалось экспортировать файл!</translation>
    </message>
    <message>
        <location filename="../../src/app/storagebrowser.cpp" line="474"/>
        <source>The file has been exported</source>
        <translation>Файл экспортирован</translation>
    </message>
</context>
</TS>
