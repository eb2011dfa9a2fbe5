<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CKV521MainWindow</name>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="53" />
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="67" />
        <location filename="../src/app/kv521mainwindow.cpp" line="414" />
        <source>Oscilloscope</source>
        <translation>Осциллограф</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="93" />
        <location filename="../src/app/kv521mainwindow.cpp" line="174" />
        <location filename="../src/app/kv521mainwindow.cpp" line="282" />
        <source>Offline</source>
        <translation>Нет связи</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="94" />
        <source>Failed to connect: </source>
        <translation>Не удалось подключиться: </translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="172" />
        <location filename="../src/app/kv521mainwindow.cpp" line="415" />
        <source>Ready</source>
        <translation>Готово</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="176" />
        <location filename="../src/app/kv521mainwindow.cpp" line="416" />
        <source>Normal</source>
        <translation>Норма</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="238" />
        <source>Cannot open the detector's port: %1</source>
        <translation>Не удаётся открыть порт детектора: %1</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="241" />
        <source> (add your user to the "dialout" group and log in again)</source>
        <translation> (добавьте пользователя в группу «dialout» и войдите в систему заново)</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="250" />
        <source>Online</source>
        <translation>На связи</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="276" />
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="278" />
        <source>Device data exchange error occurred! Trying to restart exchange process...</source>
        <translation>Ошибка обмена данными с прибором! Перезапуск обмена...</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="291" />
        <source>Device data processing error!</source>
        <translation>Ошибка обработки данных прибора!</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="332" />
        <source>Collected data cleared</source>
        <translation>Собранные данные очищены</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="432" />
        <source>Do you really want to reset program settings to defaults?</source>
        <translation>Вы действительно хотите сбросить настройки программы к значениям по умолчанию?</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="449" />
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="452" />
        <source>Copyright &amp;copy; Lumatrix. </source>
        <translation>Copyright &amp;copy; Lumatrix. </translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="452" />
        <source>All rights reserved.</source>
        <translation>Все права защищены.</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="498" />
        <source>Autoscroll</source>
        <translation>Автопрокрутка</translation>
    </message>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="502" />
        <source>Difference</source>
        <translation>Разность</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="31" />
        <source>B1 DC</source>
        <translation>B1 DC</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="32" />
        <source>B1 AC</source>
        <translation>B1 AC</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="33" />
        <source>B2 DC</source>
        <translation>B2 DC</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="34" />
        <source>B2 AC</source>
        <translation>B2 AC</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="36" />
        <source>B1 DC Thres.</source>
        <translation>B1 DC порог</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="37" />
        <source>B1 AC Thres.</source>
        <translation>B1 AC порог</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="38" />
        <source>B2 DC Thres.</source>
        <translation>B2 DC порог</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="39" />
        <source>B2 AC Thres.</source>
        <translation>B2 AC порог</translation>
    </message>
</context>
<context>
    <name>CMainWindowClass</name>
    <message>
        <location filename="../forms/mainwindow.ui" line="17" />
        <source>Analyzer</source>
        <translation>Анализатор</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="76" />
        <source>Storage Content</source>
        <translation>Содержимое хранилища</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="99" />
        <source>Browse for data store folder</source>
        <translation>Выбрать папку хранилища данных</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="102" />
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="117" />
        <source>Saved data store contents</source>
        <translation>Содержимое хранилища сохранённых данных</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="192" />
        <source>&lt;span style=" font-size:12pt; font-weight:600;"&gt;Logged Data&lt;/span&gt;</source>
        <translation>&lt;span style=" font-size:12pt; font-weight:600;"&gt;Данные журнала&lt;/span&gt;</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="199" />
        <location filename="../forms/mainwindow.ui" line="439" />
        <location filename="../forms/mainwindow.ui" line="717" />
        <location filename="../forms/mainwindow.ui" line="749" />
        <source>Maximize</source>
        <translation>Развернуть</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="209" />
        <source>Download and parse log from the device</source>
        <translation>Загрузить и разобрать журнал прибора</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="212" />
        <source>Download</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="262" />
        <source>Number of Events</source>
        <translation>Число событий</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="327" />
        <location filename="../forms/mainwindow.ui" line="733" />
        <source>Diagram</source>
        <translation>Диаграмма</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="353" />
        <location filename="../forms/mainwindow.ui" line="741" />
        <source>List</source>
        <translation>Список</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="432" />
        <source>&lt;span style=" font-size:12pt; font-weight:600;"&gt;Realtime Data&lt;/span&gt;</source>
        <translation>&lt;span style=" font-size:12pt; font-weight:600;"&gt;Данные реального времени&lt;/span&gt;</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="449" />
        <source>Clear Data</source>
        <translation>Очистить</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="456" />
        <source>Save Data</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="463" />
        <source>Show device options</source>
        <translation>Показать параметры прибора</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="466" />
        <source>Options...</source>
        <translation>Параметры...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="473" />
        <source>Device mode: Auto or Manual</source>
        <translation>Режим прибора: автоматический или ручной</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="476" />
        <source>Mode</source>
        <translation>Режим</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="483" />
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="502" />
        <source>Unknown Mode</source>
        <translation>Неизвестный режим</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="509" />
        <source>Switch to next band</source>
        <translation>Перейти к следующему диапазону</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="512" />
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="547" />
        <source>Oscilloscope</source>
        <translation>Осциллограф</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="554" />
        <source>&lt;Opt2&gt;</source>
        <translation>&lt;Опц2&gt;</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="564" />
        <source>&lt;Opt1&gt;</source>
        <translation>&lt;Опц1&gt;</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="603" />
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="613" />
        <source>Storage</source>
        <translation>Хранилище</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="627" />
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="637" />
        <source>Realtime</source>
        <translation>Реальное время</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="645" />
        <source>Help</source>
        <translation>Справка</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="659" />
        <source>Device Menu...</source>
        <translation>Меню прибора...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="664" />
        <source>Preferences...</source>
        <translation>Настройки...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="669" />
        <source>Reset to defaults...</source>
        <translation>Сбросить настройки...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="674" />
        <source>Exit</source>
        <translation>Выход</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="679" />
        <source>Create Folder...</source>
        <translation>Создать папку...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="684" />
        <source>Rename...</source>
        <translation>Переименовать...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="689" />
        <source>Delete...</source>
        <translation>Удалить...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="694" />
        <source>Delete All...</source>
        <translation>Удалить всё...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="699" />
        <source>Export CSV...</source>
        <translation>Экспорт в CSV...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="704" />
        <source>Expand All</source>
        <translation>Развернуть все</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="709" />
        <source>Collapse All</source>
        <translation>Свернуть все</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="722" />
        <source>Download...</source>
        <translation>Загрузить...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="754" />
        <source>Clear Data...</source>
        <translation>Очистить данные...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="759" />
        <source>Save Data...</source>
        <translation>Сохранить данные...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="764" />
        <source>Manual...</source>
        <translation>Руководство...</translation>
    </message>
    <message>
        <location filename="../forms/mainwindow.ui" line="769" />
        <source>About...</source>
        <translation>О программе...</translation>
    </message>
</context>
<context>
    <name>CPreferencesDialogClass</name>
    <message>
        <location filename="../forms/preferencesdialog.ui" line="14" />
        <source>Preferences</source>
        <translation>Настройки</translation>
    </message>
    <message>
        <location filename="../forms/preferencesdialog.ui" line="35" />
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location filename="../forms/preferencesdialog.ui" line="87" />
        <source>OK</source>
        <translation>ОК</translation>
    </message>
    <message>
        <location filename="../forms/preferencesdialog.ui" line="97" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>CProgressDialogClass</name>
    <message>
        <location filename="../forms/progressdialog.ui" line="32" />
        <source>Progress</source>
        <translation>Ход выполнения</translation>
    </message>
    <message>
        <location filename="../forms/progressdialog.ui" line="53" />
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <location filename="../forms/progressdialog.ui" line="85" />
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="21" />
        <source>Companion program of the KV521 radio-frequency detector.</source>
        <translation>Программа для работы с детектором радиочастот KV521.</translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="25" />
        <source>Use serial port &lt;name&gt; instead of searching for the detector.</source>
        <translation>Использовать последовательный порт &lt;name&gt; вместо поиска детектора.</translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="29" />
        <source>Connect to a simulated detector started inside the program.</source>
        <translation>Подключиться к имитатору детектора, запущенному внутри программы.</translation>
    </message>
    <message>
        <location filename="../src/app/main.cpp" line="44" />
        <source>Cannot start the simulated detector: %1</source>
        <translation>Не удаётся запустить имитатор детектора: %1</translation>
    </message>
</context>
</TS>