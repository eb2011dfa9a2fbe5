<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CAlarmNotifier</name>
    <message>
        <source>Alarms in a row: %1</source>
        <translation>Тревог подряд: %1</translation>
    </message>
</context>
<context>
    <name>CCatalogueController</name>
    <message>
        <source>The catalogue cannot be opened (%1). Recording and downloads go on; it will be tried again.</source>
        <translation>Каталог не открывается (%1). Запись и загрузка продолжаются; попытка будет повторена.</translation>
    </message>
    <message>
        <source>The catalogue cannot be written (%1). Recording and downloads go on; it will be tried again.</source>
        <translation>В каталог нельзя записать (%1). Запись и загрузка продолжаются; попытка будет повторена.</translation>
    </message>
    <message>
        <source>The catalogue is not running.</source>
        <translation>Каталог не работает.</translation>
    </message>
    <message>
        <source>%1 is now its room&apos;s baseline.</source>
        <translation>%1 теперь эталон своего помещения.</translation>
    </message>
    <message>
        <source>%1 cannot be set as baseline: %2</source>
        <translation>%1 нельзя сделать эталоном: %2</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
</context>
<context>
    <name>CCliTool</name>
    <message>
        <location filename="../src/cli/clitool.cpp" line="+48"/>
        <source>List the serial ports and the one the detector is looked for on.</source>
        <translation>Показать последовательные порты и порт, на котором ищется детектор.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Download the detector&apos;s log into log files.</source>
        <translation>Загрузить журнал детектора в файлы журнала.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record live measurements to a realtime file or as CSV lines.</source>
        <translation>Записать текущие измерения в файл реального времени или строками CSV.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Convert realtime and log files to CSV or JSON lines.</source>
        <translation>Преобразовать файлы реального времени и журнала в CSV или строки JSON.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Read the detector&apos;s settings into a file (get) or write a file to it (set).</source>
        <translation>Прочитать настройки детектора в файл (get) или записать файл в детектор (set).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Set the detector&apos;s clock to this computer&apos;s (sync).</source>
        <translation>Установить часы детектора по часам компьютера (sync).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Make a PDF report of a realtime or log file.</source>
        <translation>Создать отчёт PDF по файлу реального времени или журнала.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>%1 does not exist.</source>
        <translation>%1 не существует.</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+10"/>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Could not create the folder %1.</source>
        <translation>Не удалось создать папку %1.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Try &quot;kv521-cli --help&quot;.</source>
        <translation>Попробуйте «kv521-cli --help».</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Usage: kv521-cli [--verbose] &lt;command&gt; [options]</source>
        <translation>Использование: kv521-cli [--verbose] &lt;команда&gt; [параметры]</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+64"/>
        <source>Command-line companion of the KV521 radio-frequency detector.</source>
        <translation>Программа командной строки для радиочастотного детектора KV521.</translation>
    </message>
    <message>
        <location line="-63"/>
        <source>Commands:</source>
        <translation>Команды:</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;kv521-cli &lt;command&gt; --help&quot; describes a command.</source>
        <translation>«kv521-cli &lt;команда&gt; --help» описывает команду.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Exit codes: 0 done, 1 failed, 2 bad usage.</source>
        <translation>Коды завершения: 0 — выполнено, 1 — ошибка, 2 — неверный вызов.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Trace the serial link on the error stream.</source>
        <translation>Выводить трассировку последовательного канала в поток ошибок.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Too few arguments for &quot;%1&quot;.</source>
        <translation>Недостаточно аргументов для «%1».</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+318"/>
        <source>Unexpected argument &quot;%1&quot;.</source>
        <translation>Лишний аргумент «%1».</translation>
    </message>
    <message>
        <location line="-309"/>
        <source>--port and --simulate exclude each other.</source>
        <translation>--port и --simulate нельзя указывать вместе.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Use serial port &lt;name&gt;.</source>
        <translation>Использовать последовательный порт &lt;name&gt;.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Use a simulated detector.</source>
        <translation>Использовать имитацию детектора.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write into folder &lt;dir&gt;.</source>
        <translation>Записывать в папку &lt;dir&gt;.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Stop after &lt;seconds&gt; (default: until Ctrl+C).</source>
        <translation>Остановиться через &lt;seconds&gt; секунд (по умолчанию — до Ctrl+C).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Store the records in realtime file &lt;file&gt;.</source>
        <translation>Сохранять записи в файл реального времени &lt;file&gt;.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Write the records as CSV lines to the output (the default without --out).</source>
        <translation>Выводить записи строками CSV (по умолчанию без --out).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Realtime (.rdf) and log (.ldf) files.</source>
        <translation>Файлы реального времени (.rdf) и журнала (.ldf).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Output format: csv (default) or json.</source>
        <translation>Формат вывода: csv (по умолчанию) или json.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Write into folder &lt;dir&gt; (default: beside each file); - writes one file's records to the output.</source>
        <translation>Записывать в папку &lt;dir&gt; (по умолчанию — рядом с каждым файлом); - выводит записи одного файла в стандартный вывод.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>get, or set followed by the settings file.</source>
        <translation>get или set с файлом настроек.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>get: the settings file to write.</source>
        <translation>get: записываемый файл настроек.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>sync</source>
        <translation>sync</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>A realtime (.rdf) or log (.ldf) file.</source>
        <translation>Файл реального времени (.rdf) или журнала (.ldf).</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The PDF file to write (default: beside the file); - writes it to the output.</source>
        <translation>Записываемый файл PDF (по умолчанию — рядом с файлом); - выводит его в стандартный вывод.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Unknown command &quot;%1&quot;.</source>
        <translation>Неизвестная команда «%1».</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>No serial ports found.</source>
        <translation>Последовательные порты не найдены.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vendor:Product</source>
        <translation>Производитель:Изделие</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Serial number</source>
        <translation>Серийный номер</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>No port is the detector&apos;s by the automatic rule; name one with --port.</source>
        <translation>Ни один порт не подходит под автоматический выбор; укажите порт параметром --port.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>* the port used when none is named: %1</source>
        <translation>* порт, используемый, если порт не указан: %1</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>The detector stopped sending its log.</source>
        <translation>Детектор перестал передавать журнал.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>An error occured reading the log.</source>
        <translation>Ошибка при чтении журнала.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>An error occured parsing log!</source>
        <translation>Ошибка при разборе журнала!</translation>
    </message>
    <message>
        <location line="+28"/>
        <source>--duration needs a positive number of seconds.</source>
        <translation>--duration требует положительного числа секунд.</translation>
    </message>
    <message>
        <location line="+43"/>
        <source>Records written to %1: %2</source>
        <translation>Записей сохранено в %1: %2</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>--to takes csv or json.</source>
        <translation>--to принимает csv или json.</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>settings get needs --out FILE.mnu.</source>
        <translation>settings get требует --out ФАЙЛ.mnu.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>settings set needs the settings file.</source>
        <translation>settings set требует файл настроек.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>settings takes get or set.</source>
        <translation>settings принимает get или set.</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>The detector did not take the settings.</source>
        <translation>Детектор не принял настройки.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>clock takes sync.</source>
        <translation>clock принимает sync.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The detector did not take the time.</source>
        <translation>Детектор не принял время.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The detector&apos;s clock is set to %1.</source>
        <translation>Часы детектора установлены на %1.</translation>
    </message>
    <message>
        <source>Write the list as JSON.</source>
        <translation>Вывести список в формате JSON.</translation>
    </message>
    <message>
        <source>CSV for spreadsheets: a byte order mark and CRLF line ends.</source>
        <translation>CSV для электронных таблиц: метка порядка байтов и концы строк CRLF.</translation>
    </message>
    <message>
        <source>Could not write to the standard output: %1</source>
        <translation>Не удалось записать в стандартный вывод: %1</translation>
    </message>
    <message>
        <source>%1 and %2 would both be converted to %3; convert them into different folders.</source>
        <translation>%1 и %2 были бы преобразованы в один файл %3; преобразуйте их в разные папки.</translation>
    </message>
    <message>
        <source>--out - writes one file's records to the output: name one file.</source>
        <translation>--out - выводит записи одного файла в стандартный вывод: укажите один файл.</translation>
    </message>
    <message>
        <source>(named by KV521_PORT)</source>
        <translation>(задан в KV521_PORT)</translation>
    </message>
    <message>
        <source>(named by KV521_PORT, not present)</source>
        <translation>(задан в KV521_PORT, отсутствует)</translation>
    </message>
    <message>
        <source>* the port named by KV521_PORT, used when none is named: %1</source>
        <translation>* порт из KV521_PORT, используемый, когда порт не указан: %1</translation>
    </message>
    <message>
        <source>Rebuild the catalogue of the storage folder from its files (rebuild).</source>
        <translation>Заново построить каталог папки хранилища по её файлам (rebuild).</translation>
    </message>
    <message>
        <source>Search the catalogue for sessions and events.</source>
        <translation>Искать в каталоге сеансы и события.</translation>
    </message>
    <message>
        <source>The storage folder with its catalogue (default: the program's storage folder).</source>
        <translation>Папка хранилища с её каталогом (по умолчанию: папка хранилища программы).</translation>
    </message>
    <message>
        <source>The site of the sweep (kept beside the files and in the catalogue).</source>
        <translation>Объект обследования (сохраняется рядом с файлами и в каталоге).</translation>
    </message>
    <message>
        <source>The room of the sweep.</source>
        <translation>Помещение обследования.</translation>
    </message>
    <message>
        <source>Who made the sweep.</source>
        <translation>Кто провёл обследование.</translation>
    </message>
    <message>
        <source>Write into folder &lt;dir&gt; (default: the storage folder given with --storage, else the current folder).</source>
        <translation>Записать в папку &lt;dir&gt; (по умолчанию: папка хранилища из --storage, иначе текущая папка).</translation>
    </message>
    <message>
        <source>rebuild</source>
        <translation>rebuild</translation>
    </message>
    <message>
        <source>From &lt;time&gt; on (ISO 8601 date or date and time).</source>
        <translation>Начиная с &lt;time&gt; (дата или дата и время в ISO 8601).</translation>
    </message>
    <message>
        <source>Up to &lt;time&gt; (a date includes that day).</source>
        <translation>До &lt;time&gt; (дата включает этот день).</translation>
    </message>
    <message>
        <source>Only the site &lt;site&gt;.</source>
        <translation>Только объект &lt;site&gt;.</translation>
    </message>
    <message>
        <source>Only the room &lt;room&gt;.</source>
        <translation>Только помещение &lt;room&gt;.</translation>
    </message>
    <message>
        <source>Only signal kind &lt;kind&gt; (DECT, GSM, BLUETOOTH, WLAN, DECT BASE, WLAN BASE; may be repeated).</source>
        <translation>Только вид сигнала &lt;kind&gt; (DECT, GSM, BLUETOOTH, WLAN, DECT BASE, WLAN BASE; можно указать несколько раз).</translation>
    </message>
    <message>
        <source>Only levels of at least &lt;dB&gt;.</source>
        <translation>Только уровни не ниже &lt;dB&gt;.</translation>
    </message>
    <message>
        <source>Only alarms.</source>
        <translation>Только тревоги.</translation>
    </message>
    <message>
        <source>List the matching files rather than their events.</source>
        <translation>Вывести подходящие файлы, а не их события.</translation>
    </message>
    <message>
        <source>Write CSV.</source>
        <translation>Вывести CSV.</translation>
    </message>
    <message>
        <source>Write JSON.</source>
        <translation>Вывести JSON.</translation>
    </message>
    <message>
        <source>%1: when it was captured is not known; its year and time zone are assumed to be this computer's now.</source>
        <translation>%1: время записи неизвестно; год и часовой пояс приняты по текущим на этом компьютере.</translation>
    </message>
    <message>
        <source>The files are stored, but the catalogue could not take them: %1</source>
        <translation>Файлы сохранены, но каталог не смог их принять: %1</translation>
    </message>
    <message>
        <source>catalogue takes rebuild.</source>
        <translation>catalogue принимает rebuild.</translation>
    </message>
    <message>
        <source>The catalogue %1 holds %2 files.</source>
        <translation>Каталог %1 содержит файлов: %2.</translation>
    </message>
    <message>
        <source>--from takes an ISO 8601 date or date and time.</source>
        <translation>--from принимает дату или дату и время в ISO 8601.</translation>
    </message>
    <message>
        <source>--to takes an ISO 8601 date or date and time.</source>
        <translation>--to принимает дату или дату и время в ISO 8601.</translation>
    </message>
    <message>
        <source>Unknown signal kind "%1".</source>
        <translation>Неизвестный вид сигнала «%1».</translation>
    </message>
    <message>
        <source>--min-level takes a level in dB.</source>
        <translation>--min-level принимает уровень в дБ.</translation>
    </message>
    <message>
        <source>--csv and --json exclude each other.</source>
        <translation>--csv и --json исключают друг друга.</translation>
    </message>
    <message>
        <source>Record without end and publish levels and alarms (a service).</source>
        <translation>Записывать без конца и публиковать уровни и тревоги (служба).</translation>
    </message>
    <message>
        <source>Records every measurement into the storage folder and, with a broker host, publishes to MQTT:
&lt;prefix&gt;/&lt;detector&gt;/state (retained online/offline), levels (each interval) and alarm.
While the broker is away, alarms and level summaries wait on disk, at most queue-limit
messages (100000 by default, about a day of summaries); beyond that the oldest are dropped.
Every option can also be a &quot;key = value&quot; line of the --config file; options win.</source>
        <translation>Записывает каждое измерение в папку хранения и, если задан брокер, публикует в MQTT:
&lt;prefix&gt;/&lt;detector&gt;/state (сохраняемое online/offline), levels (каждый интервал) и alarm.
Пока брокер недоступен, тревоги и сводки уровней ждут на диске, не более queue-limit
сообщений (по умолчанию 100000, около суток сводок); сверх этого старейшие удаляются.
Любой параметр можно задать и строкой «key = value» в файле --config; параметры важнее.</translation>
    </message>
    <message>
        <source>Read the settings from &lt;file&gt;.</source>
        <translation>Прочитать настройки из файла &lt;file&gt;.</translation>
    </message>
    <message>
        <source>%1 records left the detector&apos;s history before they could be written.</source>
        <translation>%1 записей покинули историю детектора до того, как их удалось записать.</translation>
    </message>
    <message>
        <source>Cannot start the simulated detector: %1</source>
        <translation>Не удаётся запустить имитатор детектора: %1</translation>
    </message>
    <message>
        <source>The simulated detector needs a POSIX system.</source>
        <translation>Имитатору детектора нужна система POSIX.</translation>
    </message>
    <message>
        <source>Make a session its room&apos;s baseline (set) or list a room&apos;s baselines (show).</source>
        <translation>Сделать сеанс эталоном его помещения (set) или показать эталоны помещения (show).</translation>
    </message>
    <message>
        <source>List what differs between a session and its room&apos;s baseline or another session.</source>
        <translation>Показать отличия сеанса от эталона его помещения или от другого сеанса.</translation>
    </message>
    <message>
        <source>Check the source files of a report against its manifest.</source>
        <translation>Проверить исходные файлы отчёта по его манифесту.</translation>
    </message>
    <message>
        <source>compare ends with 3 when the sessions differ.</source>
        <translation>compare завершается с кодом 3, если сеансы различаются.</translation>
    </message>
    <message>
        <source>set followed by a realtime or log file, or show.</source>
        <translation>set и файл реального времени или журнала, либо show.</translation>
    </message>
    <message>
        <source>show: only the site &lt;site&gt;.</source>
        <translation>show: только объект &lt;site&gt;.</translation>
    </message>
    <message>
        <source>show: the room &lt;room&gt;.</source>
        <translation>show: помещение &lt;room&gt;.</translation>
    </message>
    <message>
        <source>The session to look at (.rdf or .ldf).</source>
        <translation>Проверяемый сеанс (.rdf или .ldf).</translation>
    </message>
    <message>
        <source>The session to compare with (default: the baseline of NEW&apos;s room).</source>
        <translation>Сеанс для сравнения (по умолчанию — эталон помещения NEW).</translation>
    </message>
    <message>
        <source>Frequencies closer than &lt;MHz&gt; are the same (default 1).</source>
        <translation>Частоты, отличающиеся менее чем на &lt;MHz&gt;, считаются одной (по умолчанию 1).</translation>
    </message>
    <message>
        <source>Highest levels that moved by at least &lt;dB&gt; (default 6).</source>
        <translation>Наибольшие уровни, изменившиеся не менее чем на &lt;dB&gt; (по умолчанию 6).</translation>
    </message>
    <message>
        <source>Exit codes: 0 nothing differs, 3 something differs, 1 failed, 2 bad usage.</source>
        <translation>Коды завершения: 0 — отличий нет, 3 — есть отличия, 1 — ошибка, 2 — неверный вызов.</translation>
    </message>
    <message>
        <source>The report&apos;s JSON manifest.</source>
        <translation>JSON-манифест отчёта.</translation>
    </message>
    <message>
        <source>Exit codes: 0 every file matches, 1 a file changed or is missing (each named), 2 the manifest cannot be read.</source>
        <translation>Коды завершения: 0 — все файлы совпадают, 1 — файл изменён или отсутствует (каждый назван), 2 — манифест не читается.</translation>
    </message>
    <message>
        <source>baseline set needs the realtime or log file.</source>
        <translation>baseline set требует файл реального времени или журнала.</translation>
    </message>
    <message>
        <source>%1 is now the baseline of room %2.</source>
        <translation>%1 теперь эталон помещения %2.</translation>
    </message>
    <message>
        <source>baseline takes set or show.</source>
        <translation>baseline принимает set или show.</translation>
    </message>
    <message>
        <source>baseline show needs --room.</source>
        <translation>baseline show требует --room.</translation>
    </message>
    <message>
        <source>Room %1 has no baseline.</source>
        <translation>У помещения %1 нет эталона.</translation>
    </message>
    <message>
        <source>--tolerance takes a frequency difference in MHz.</source>
        <translation>--tolerance принимает разницу частот в МГц.</translation>
    </message>
    <message>
        <source>--min-change takes a level difference in dB.</source>
        <translation>--min-change принимает разницу уровней в дБ.</translation>
    </message>
    <message>
        <source>%1 was not recorded in a room, so it has no baseline; name the session to compare it with.</source>
        <translation>%1 записан не в помещении, поэтому эталона у него нет; укажите сеанс для сравнения.</translation>
    </message>
    <message>
        <source>Room %1 has no baseline; set one with &quot;kv521-cli baseline set FILE&quot; or name the session to compare with.</source>
        <translation>У помещения %1 нет эталона; задайте его командой «kv521-cli baseline set FILE» или укажите сеанс для сравнения.</translation>
    </message>
    <message>
        <source>Nothing differs from %1.</source>
        <translation>Отличий от %1 нет.</translation>
    </message>
    <message>
        <source>unchanged: %1</source>
        <translation>не изменён: %1</translation>
    </message>
    <message>
        <source>%1 has changed since report %2 was made.</source>
        <translation>%1 изменён после составления отчёта %2.</translation>
    </message>
    <message>
        <source>%1 is missing.</source>
        <translation>%1 отсутствует.</translation>
    </message>
    <message>
        <source>%1 cannot be read.</source>
        <translation>%1 не читается.</translation>
    </message>
    <message>
        <source>%1 of the %2 source files of report %3 do not match its manifest.</source>
        <translation>Исходных файлов отчёта %3, не совпадающих с манифестом: %1 из %2.</translation>
    </message>
    <message>
        <source>All %1 source files of report %2 match its manifest.</source>
        <translation>Все исходные файлы отчёта %2 (%1) совпадают с манифестом.</translation>
    </message>
    <message>
        <source>Make a PDF report of a realtime or log file, or of a site visit&apos;s files.</source>
        <translation>Создать PDF-отчёт по файлу реального времени или журнала либо по файлам выезда на объект.</translation>
    </message>
    <message>
        <source>A realtime (.rdf) or log (.ldf) file; several, or --findings, --number or --storage, make the report of a site visit.</source>
        <translation>Файл реального времени (.rdf) или журнала (.ldf); несколько файлов, --findings, --number или --storage дают отчёт о выезде на объект.</translation>
    </message>
    <message>
        <source>The report of a site visit compares each room with its baseline in the catalogue, and writes beside X.pdf the manifest X.json that &quot;kv521-cli verify&quot; checks the source files against.</source>
        <translation>Отчёт о выезде сравнивает каждое помещение с его эталоном из каталога и записывает рядом с X.pdf манифест X.json, по которому &quot;kv521-cli verify&quot; проверяет исходные файлы.</translation>
    </message>
    <message>
        <source>The PDF file to write (default: beside the first file); - writes the report of one file to the output (a visit report needs a file).</source>
        <translation>Записываемый PDF-файл (по умолчанию рядом с первым файлом); - выводит отчёт по одному файлу в стандартный вывод (отчёту о выезде нужен файл).</translation>
    </message>
    <message>
        <source>Findings and recommendations, a UTF-8 text file.</source>
        <translation>Выводы и рекомендации: текстовый файл в UTF-8.</translation>
    </message>
    <message>
        <source>The report number (default: the next one the catalogue issues).</source>
        <translation>Номер отчёта (по умолчанию — следующий, выданный каталогом).</translation>
    </message>
    <message>
        <source>--number takes a positive whole number.</source>
        <translation>--number принимает целое положительное число.</translation>
    </message>
    <message>
        <source>A visit report is written to a file, with its manifest beside it; give --out a PDF file.</source>
        <translation>Отчёт о выезде записывается в файл, а рядом с ним — его манифест; укажите в --out PDF-файл.</translation>
    </message>
    <message>
        <source>%1 is too large for findings.</source>
        <translation>%1 слишком велик для выводов.</translation>
    </message>
</context>
<context>
    <name>CCsvExporter</name>
    <message>
        <location filename="../src/app/csvexporter.cpp" line="+40"/>
        <source>B1 DC</source>
        <translation>B1 DC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B1 AC</source>
        <translation>B1 AC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B1F DC</source>
        <translation>B1F DC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B1F AC</source>
        <translation>B1F AC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B2 DC</source>
        <translation>B2 DC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B2 AC</source>
        <translation>B2 AC</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Num</source>
        <translation>№</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Band</source>
        <translation>Канал</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Date Time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 (dB)</source>
        <translation>%1 (дБ)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1 Threshold (dB)</source>
        <translation>%1 порог (дБ)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Frequency (MHz)</source>
        <translation>Частота (МГц)</translation>
    </message>
</context>
<context>
    <name>CDeviceFiles</name>
    <message>
        <location filename="../src/device/devicefiles.cpp" line="+55"/>
        <source>No storage folder is selected.</source>
        <translation>Папка хранилища не выбрана.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The folder %1 does not exist.</source>
        <translation>Папка %1 не существует.</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+268"/>
        <source>Could not create %1: %2</source>
        <translation>Не удалось создать %1: %2</translation>
    </message>
    <message>
        <location line="-255"/>
        <location line="+5"/>
        <location line="+255"/>
        <location line="+14"/>
        <source>Could not write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <location line="-241"/>
        <source>The detector&apos;s log is longer than one download can hold: %1 blocks were read, the rest of the log was not.</source>
        <translation>Журнал детектора длиннее, чем вмещает одна загрузка: прочитано блоков: %1, остальная часть журнала не прочитана.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The log holds no events.</source>
        <translation>Журнал не содержит событий.</translation>
    </message>
    <message>
        <location line="+106"/>
        <source>Could not create %1: no free file name</source>
        <translation>Не удалось создать %1: нет свободного имени файла</translation>
    </message>
    <message>
        <location line="+26"/>
        <location line="+13"/>
        <source>There is no data to save.</source>
        <translation>Нет данных для сохранения.</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Could not open %1: %2</source>
        <translation>Не удалось открыть %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file is too short to be a data file.</source>
        <translation>Файл слишком короткий для файла данных.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The file is too large to be a data file.</source>
        <translation>Файл слишком большой для файла данных.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Could not read %1: %2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The file has the unknown format version %1.</source>
        <translation>Файл имеет неизвестную версию формата %1.</translation>
    </message>
    <message>
        <source>%1: the last %2 bytes are not a whole record and were ignored.</source>
        <translation>%1: последние %2 байт не составляют целой записи и пропущены.</translation>
    </message>
</context>
<context>
    <name>CDeviceSession</name>
    <message>
        <location filename="../src/cli/devicesession.cpp" line="+46"/>
        <source>Cannot start the simulated detector: %1</source>
        <translation>Не удалось запустить имитацию детектора: %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Cannot start the link: %1</source>
        <translation>Не удалось запустить связь: %1</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>No detector answers on %1.</source>
        <translation>Детектор не отвечает на %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No detector found. Plug it in or name its port with --port.</source>
        <translation>Детектор не найден. Подключите его или укажите порт параметром --port.</translation>
    </message>
</context>
<context>
    <name>CDeviceWidget</name>
    <message>
        <location filename="../src/panel/devicewidget.cpp" line="+54"/>
        <source>Detector front panel</source>
        <translation>Передняя панель детектора</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Replica of the detector&apos;s display and keys</source>
        <translation>Копия дисплея и клавиш детектора</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Keys: 1 PWR/MODE, 2 ZERO, 3 VOL+, 4 VOL-, 5 SENS/EXIT, 6 MENU/ENTER
Also: Up VOL+, Down VOL-, Enter MENU/ENTER, Backspace SENS/EXIT</source>
        <translation>Клавиши: 1 PWR/MODE, 2 ZERO, 3 VOL+, 4 VOL-, 5 SENS/EXIT, 6 MENU/ENTER
А также: вверх VOL+, вниз VOL-, Enter MENU/ENTER, Backspace SENS/EXIT</translation>
    </message>
    <message>
        <location line="+134"/>
        <source>No connection with the device!</source>
        <translation>Нет связи с прибором!</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Save Display Image...</source>
        <translation>Сохранить изображение дисплея...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Save Panel Image...</source>
        <translation>Сохранить изображение панели...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cop&amp;y Image</source>
        <translation>&amp;Копировать изображение</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Save Panel Image</source>
        <translation>Сохранить изображение панели</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Save Display Image</source>
        <translation>Сохранить изображение дисплея</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>PNG images (*.png)</source>
        <translation>Изображения PNG (*.png)</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Cannot write the image file %1:
%2</source>
        <translation>Не удалось записать файл изображения %1:
%2</translation>
    </message>
</context>
<context>
    <name>CForwardQueue</name>
    <message>
        <source>Cannot read the queue %1.</source>
        <translation>Не удаётся прочитать очередь %1.</translation>
    </message>
    <message>
        <source>Cannot write the queue %1: %2</source>
        <translation>Не удаётся записать очередь %1: %2</translation>
    </message>
    <message>
        <source>Cannot remove the delivered queue %1.</source>
        <translation>Не удаётся удалить доставленную очередь %1.</translation>
    </message>
</context>
<context>
    <name>CKV520Device</name>
    <message>
        <source>Cannot create the exchange thread!</source>
        <translation>Ошибка при создании потока!</translation>
    </message>
    <message>
        <location filename="../src/device/kv520device.cpp" line="+358"/>
        <source>The file is empty.</source>
        <translation>Файл пуст.</translation>
    </message>
</context>
<context>
    <name>CKV520DevicePaint</name>
    <message>
        <location filename="../src/panel/kv520devicepaint.cpp" line="+350"/>
        <source>Alarm! A strong signal detected!</source>
        <translation>Тревога! Обнаружен сильный сигнал!</translation>
    </message>
    <message>
        <source>Band: %1</source>
        <translation>Диапазон: %1</translation>
    </message>
    <message>
        <source>Signal: %1</source>
        <translation>Сигнал: %1</translation>
    </message>
    <message>
        <source>Pulse Level: %1 dB</source>
        <translation>Импульсный уровень: %1 дБ</translation>
    </message>
    <message>
        <location filename="../src/panel/trayalarmoutput.cpp" line="+41"/>
        <source>KV521 Analyzer - Alarm!</source>
        <translation>KV521 Analyzer - Тревога!</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>KV521 Analyzer - Monitor</source>
        <translation>KV521 Analyzer - Мониторинг</translation>
    </message>
</context>
<context>
    <name>CKV520LevelsDialog</name>
    <message>
        <location filename="../src/settings/kv520levelsdialog.cpp" line="+92"/>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
</context>
<context>
    <name>CKV520LevelsDialogClass</name>
    <message>
        <location filename="../forms/kv520levelsdialog.ui" line="+14"/>
        <source>Individual Levels Setup</source>
        <translation>Настройка индивидуальных уровней</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Relative Signal Level</source>
        <translation>Относительный уровень сигнала</translation>
    </message>
    <message>
        <location line="+12"/>
        <location line="+147"/>
        <source>1st Band</source>
        <translation>1-й диапазон</translation>
    </message>
    <message>
        <location line="-140"/>
        <location line="+147"/>
        <source>2nd Band</source>
        <translation>2-й диапазон</translation>
    </message>
    <message>
        <location line="-140"/>
        <location line="+147"/>
        <source>Constant Component</source>
        <translation>Постоянная составляющая</translation>
    </message>
    <message>
        <location line="-140"/>
        <location line="+147"/>
        <source>Pulse Component</source>
        <translation>Импульсная составляющая</translation>
    </message>
    <message>
        <location line="-33"/>
        <source>Absolute Signal Level</source>
        <translation>Абсолютный уровень сигнала</translation>
    </message>
    <message>
        <location line="+175"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
</context>
<context>
    <name>CKV520MenuDialog</name>
    <message>
        <location filename="../src/settings/kv520menudialog.cpp" line="+199"/>
        <location line="+13"/>
        <location line="+92"/>
        <source>KV521 Analyzer</source>
        <translation>KV521 Analyzer</translation>
    </message>
    <message>
        <location line="-91"/>
        <source>Do you really want to reset device settings to factory defaults?</source>
        <translation>Вы действительно хотите сбросить настройки прибора к заводским?</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Open Saved Menu Data</source>
        <translation>Открыть сохранённые настройки меню</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Menu Files (*.mnu)</source>
        <translation>Файлы меню (*.mnu)</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Cannot read the menu file &quot;%1&quot;.</source>
        <translation>Не удалось прочитать файл меню «%1».</translation>
    </message>
    <message>
        <location line="-25"/>
        <source>Save Menu Data</source>
        <translation>Сохранить настройки меню</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Cannot save the menu file &quot;%1&quot;.</source>
        <translation>Не удалось сохранить файл меню «%1».</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Do you really want to clear all log records?</source>
        <translation>Вы действительно хотите удалить все записи журнала?</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>30 sec</source>
        <translation>30 с</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2 min</source>
        <translation>2 мин</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>10 min</source>
        <translation>10 мин</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20 min</source>
        <translation>20 мин</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>60 min</source>
        <translation>60 мин</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+12"/>
        <source>%1s</source>
        <translation>%1 с</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>%1%2 s</source>
        <translation>%1%2 с</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+5"/>
        <source>%1 h</source>
        <translation>%1 ч</translation>
    </message>
</context>
<context>
    <name>CKV520MenuDialogClass</name>
    <message>
        <location filename="../forms/kv520menudialog.ui" line="+14"/>
        <source>Device Menu</source>
        <translation>Меню детектора</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Range &amp;&amp; Logging</source>
        <translation>Диапазон и журнал</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Range</source>
        <translation>Диапазон</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Enable Range 1</source>
        <translation>Включить диапазон 1</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enable Range 2</source>
        <translation>Включить диапазон 2</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enable Low Path Filter (LPF)</source>
        <translation>Включить фильтр нижних частот (ФНЧ)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Freqmeter priority</source>
        <translation>Приоритет частотомера</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Logging</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Enable Logging</source>
        <translation>Вести журнал</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Sort Order</source>
        <translation>Порядок сортировки</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>By Time</source>
        <translation>По времени</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>By Level</source>
        <translation>По уровню</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>By Frequency Range</source>
        <translation>По диапазону частот</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>By Duration</source>
        <translation>По длительности</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>Recorder</source>
        <translation>Регистратор</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+525"/>
        <source>Enable</source>
        <translation>Включить</translation>
    </message>
    <message>
        <location line="-518"/>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>Monitor</source>
        <translation>Монитор</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Common relative signal level</source>
        <translation>Общий относительный уровень сигнала</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Individual signals levels</source>
        <translation>Индивидуальные уровни сигналов</translation>
    </message>
    <message>
        <location line="-129"/>
        <source>Clear &amp;Log</source>
        <translation>Очистить &amp;журнал</translation>
    </message>
    <message>
        <location line="+136"/>
        <source>Set&amp;up...</source>
        <translation>&amp;Настройка...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Delay</source>
        <translation>Задержка</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Frequency Capture</source>
        <translation>Захват частоты</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Indication</source>
        <translation>Индикация</translation>
    </message>
    <message>
        <location line="+6"/>
        <location line="+188"/>
        <source>Display</source>
        <translation>Дисплей</translation>
    </message>
    <message>
        <location line="-181"/>
        <source>Hold</source>
        <translation>Удержание</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Vibro</source>
        <translation>Вибро</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Signals</source>
        <translation>Сигналы</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>DECT</source>
        <translation>DECT</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>GSM</source>
        <translation>GSM</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Bluetooth</source>
        <translation>Bluetooth</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>WLAN</source>
        <translation>WLAN</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Sensitivity</source>
        <translation>Чувствительность</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>High</source>
        <translation>Высокая</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Middle</source>
        <translation>Средняя</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Low</source>
        <translation>Низкая</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>System</source>
        <translation>Система</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Brightness</source>
        <translation>Яркость</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Display Auto-Off</source>
        <translation>Автовыключение дисплея</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Display Auto-On</source>
        <translation>Автовключение дисплея</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Key Tone</source>
        <translation>Звук клавиш</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Clock</source>
        <translation>Часы</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Set Clock</source>
        <translation>Установить часы</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Sync with PC</source>
        <translation>Синхронизировать с ПК</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Time Correction</source>
        <translation>Коррекция времени</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Schedule</source>
        <translation>Расписание</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Start Time</source>
        <translation>Время начала</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Stop Time</source>
        <translation>Время окончания</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Everyday</source>
        <translation>Ежедневно</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>&amp;Defaults</source>
        <translation>По &amp;умолчанию</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>L&amp;oad...</source>
        <translation>З&amp;агрузить...</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Save...</source>
        <translation>&amp;Сохранить...</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
</context>
<context>
    <name>CClockCheck</name>
    <message>
        <source>%1 d %2 h</source>
        <translation>%1 сут %2 ч</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 ч %2 мин</translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation>%1 мин</translation>
    </message>
    <message>
        <source>Set Detector Clock</source>
        <translation>Установить часы детектора</translation>
    </message>
    <message>
        <source>Setting the detector&apos;s clock...</source>
        <translation>Установка часов детектора...</translation>
    </message>
    <message>
        <source>The detector did not take the PC&apos;s time. %1</source>
        <translation>Детектор не принял время ПК. %1</translation>
    </message>
    <message>
        <source>The detector&apos;s clock is %1 ahead of the PC&apos;s</source>
        <translation>Часы детектора спешат относительно часов ПК на %1</translation>
    </message>
    <message>
        <source>The detector&apos;s clock is %1 behind the PC&apos;s</source>
        <translation>Часы детектора отстают от часов ПК на %1</translation>
    </message>
    <message>
        <source>The detector&apos;s clock is set to the PC&apos;s</source>
        <translation>Часы детектора установлены по часам ПК</translation>
    </message>
</context>
<context>
    <name>CConnectionController</name>
    <message>
        <source> (add your user to the &quot;dialout&quot; group and log in again, or install the program&apos;s udev rule and plug the detector in again)</source>
        <translation> (добавьте пользователя в группу «dialout» и войдите в систему заново или установите правило udev программы и подключите детектор заново)</translation>
    </message>
    <message>
        <source>Cannot open the detector&apos;s port: %1</source>
        <translation>Не удаётся открыть порт детектора: %1</translation>
    </message>
    <message>
        <source>Cannot start the simulated detector: %1</source>
        <translation>Не удаётся запустить имитатор детектора: %1</translation>
    </message>
    <message>
        <source>Device data exchange error occurred! Trying to restart exchange process...</source>
        <translation>Ошибка обмена данными с прибором! Перезапуск обмена...</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Ошибка</translation>
    </message>
    <message>
        <source>Failed to connect: </source>
        <translation>Не удалось подключиться: </translation>
    </message>
    <message>
        <source>No data</source>
        <translation>Нет данных</translation>
    </message>
    <message>
        <source>No detector found — choose its port</source>
        <translation>Детектор не найден — выберите его порт</translation>
    </message>
    <message>
        <source>No usable data from the port: %1.</source>
        <translation>С порта не поступает пригодных данных: %1.</translation>
    </message>
    <message>
        <source>Offline</source>
        <translation>Нет связи</translation>
    </message>
    <message>
        <source>Online</source>
        <translation>На связи</translation>
    </message>
    <message>
        <source>The detector is not responding</source>
        <translation>Детектор не отвечает</translation>
    </message>
    <message>
        <source>frames with bad checksums</source>
        <translation>кадры с неверной контрольной суммой</translation>
    </message>
    <message>
        <source>not available on this system</source>
        <translation>недоступен в этой системе</translation>
    </message>
    <message>
        <source>short frames</source>
        <translation>неполные кадры</translation>
    </message>
    <message>
        <source>simulated detector</source>
        <translation>имитатор детектора</translation>
    </message>
</context>
<context>
    <name>CRealtimeView</name>
    <message>
        <source>&amp;Autoscroll</source>
        <translation>&amp;Автопрокрутка</translation>
    </message>
    <message>
        <source>&amp;Oscilloscope</source>
        <translation>Осци&amp;ллограф</translation>
    </message>
    <message>
        <source>D&amp;ifference</source>
        <translation>Разнос&amp;ть</translation>
    </message>
</context>
<context>
    <name>CRecordingController</name>
    <message>
        <source>Recording stopped: %1</source>
        <translation>Запись остановлена: %1</translation>
    </message>
    <message>
        <source>Recording to %1</source>
        <translation>Запись в %1</translation>
    </message>
</context>
<context>
    <name>CPictureActions</name>
    <message>
        <source>Cop&amp;y Image</source>
        <translation>&amp;Копировать изображение</translation>
    </message>
    <message>
        <source>Save &amp;Image...</source>
        <translation>Сохранить &amp;изображение...</translation>
    </message>
</context>
<context>
    <name>CKV521MainWindow</name>
    <message>
        <location filename="../src/app/kv521mainwindow.cpp" line="+119"/>
        <location line="+857"/>
        <source>Version</source>
        <translation>Версия</translation>
    </message>
    <message>
        <location line="-251"/>
        <location line="+650"/>
        <source>Ready</source>
        <translation>Готово</translation>
    </message>
    <message>
        <location line="-636"/>
        <location line="+637"/>
        <source>Normal</source>
        <translation>Норма</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Realtime diagram</source>
        <translation>Диаграмма реального времени</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Log diagram</source>
        <translation>Диаграмма журнала</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Log events</source>
        <translation>События журнала</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Storage content</source>
        <translation>Содержимое хранилища</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Connection to the detector</source>
        <translation>Связь с детектором</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Front panel</source>
        <translation>Передняя панель</translation>
    </message>
    <message>
        <location line="+35"/>
        <source>Device data processing error!</source>
        <translation>Ошибка обработки данных прибора!</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>Collected data cleared</source>
        <translation>Собранные данные очищены</translation>
    </message>
    <message>
        <location line="+123"/>
        <source>Do you really want to reset program settings to defaults?</source>
        <translation>Вы действительно хотите сбросить настройки программы к значениям по умолчанию?</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Copyright &amp;copy; Lumatrix. </source>
        <translation>Copyright &amp;copy; Lumatrix. </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>All rights reserved.</source>
        <translation>Все права защищены.</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>The collected data has not been saved. Save it before closing?</source>
        <translation>Собранные данные не сохранены. Сохранить их перед закрытием?</translation>
    </message>
    <message>
        <source>The collected data has not been saved. Save it before switching the port?</source>
        <translation>Собранные данные не сохранены. Сохранить их перед сменой порта?</translation>
    </message>
    <message>
        <location filename="../src/app/recorddiagram.cpp" line="+20"/>
        <source>B1 DC</source>
        <translation>B1 DC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B1 AC</source>
        <translation>B1 AC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B2 DC</source>
        <translation>B2 DC</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B2 AC</source>
        <translation>B2 AC</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B1 DC Thres.</source>
        <translation>B1 DC порог</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B1 AC Thres.</source>
        <translation>B1 AC порог</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>B2 DC Thres.</source>
        <translation>B2 DC порог</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>B2 AC Thres.</source>
        <translation>B2 AC порог</translation>
    </message>
    <message>
        <source>Monitoring is off: %1</source>
        <translation>Мониторинг выключен: %1</translation>
    </message>
    <message>
        <source>Export &amp;Report...</source>
        <translation>Экспорт &amp;отчёта...</translation>
    </message>
</context>
<context>
    <name>CLinkStatusField</name>
    <message>
        <location filename="../src/app/linkstatusfield.cpp" line="+34"/>
        <source>Click to choose the detector&apos;s port</source>
        <translation>Щёлкните, чтобы выбрать порт детектора</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Link</source>
        <translation>Связь</translation>
    </message>
</context>
<context>
    <name>CLogView</name>
    <message>
        <location filename="../src/app/logview.cpp" line="+100"/>
        <source>Num</source>
        <translation>№</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Band</source>
        <translation>Канал</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Alarm Time</source>
        <translation>Время тревоги</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Duration</source>
        <translation>Длительность</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1DC (dB)</source>
        <translation>1DC (дБ)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>1AC (dB)</source>
        <translation>1AC (дБ)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>2DC (dB)</source>
        <translation>2DC (дБ)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2AC (dB)</source>
        <translation>2AC (дБ)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Freq (MHz)</source>
        <translation>Частота (МГц)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Comment</source>
        <translation>Комментарий</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1F</source>
        <translation>1F</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+23"/>
        <source>n/a</source>
        <translation>н/д</translation>
    </message>
    <message>
        <location line="+136"/>
        <source>No connection with the device!</source>
        <translation>Нет связи с прибором!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Downloading the log...</source>
        <translation>Загрузка журнала...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reading the log from the internal flash memory</source>
        <translation>Чтение журнала из внутренней флэш-памяти</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>An error occured reading the log. Retry?</source>
        <translation>Ошибка при чтении журнала. Повторить?</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The log could not be read.</source>
        <translation>Не удалось прочитать журнал.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Parsing the log...</source>
        <translation>Разбор журнала...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>An error occured parsing log!</source>
        <translation>Ошибка при разборе журнала!</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>The log has been read only in part</source>
        <translation>Журнал прочитан лишь частично</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The log has been read only in part: %1 blocks were read and stored, the rest of the detector&apos;s log was not read.</source>
        <translation>Журнал прочитан лишь частично: прочитано и сохранено блоков: %1, остальная часть журнала детектора не прочитана.</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The log has been read, but it holds no events.</source>
        <translation>Журнал прочитан, но не содержит событий.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The log has been successfully read!</source>
        <translation>Журнал успешно прочитан!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The log has been downloaded and parsed</source>
        <translation>Журнал загружен и разобран</translation>
    </message>
    <message>
        <source>Set Site and Room...</source>
        <translation>Задать объект и помещение...</translation>
    </message>
    <message>
        <source>The site and room could not be kept: %1</source>
        <translation>Не удалось сохранить объект и помещение: %1</translation>
    </message>
    <message>
        <source>Site and room of %1 set</source>
        <translation>Объект и помещение для %1 заданы</translation>
    </message>
</context>
<context>
    <name>CMainWindowClass</name>
    <message>
        <location filename="../forms/mainwindow.ui" line="+17"/>
        <source>Analyzer</source>
        <translation>Анализатор</translation>
    </message>
    <message>
        <location line="+59"/>
        <source>Storage Content</source>
        <translation>Содержимое хранилища</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Browse for data store folder</source>
        <translation>Выбрать папку хранилища данных</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Saved data store contents</source>
        <translation>Содержимое хранилища сохранённых данных</translation>
    </message>
    <message>
        <location line="+75"/>
        <source>&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Logged Data&lt;/span&gt;</source>
        <translation>&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Данные журнала&lt;/span&gt;</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Download and parse log from the device</source>
        <translation>Загрузить и разобрать журнал прибора</translation>
    </message>
    <message>
        <location line="-107"/>
        <source>&amp;Browse...</source>
        <translation>О&amp;бзор...</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>Ma&amp;ximize</source>
        <translation>Раз&amp;вернуть</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Download</source>
        <translation>&amp;Загрузить</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Number of Events</source>
        <translation>Число событий</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Diagram</source>
        <translation>Диаграмма</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>List</source>
        <translation>Список</translation>
    </message>
    <message>
        <location line="+79"/>
        <source>&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Realtime Data&lt;/span&gt;</source>
        <translation>&lt;span style=&quot; font-size:12pt; font-weight:600;&quot;&gt;Данные реального времени&lt;/span&gt;</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Maximi&amp;ze</source>
        <translation>Развер&amp;нуть</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Clear Data</source>
        <translation>&amp;Очистить</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Sa&amp;ve Data</source>
        <translation>Сохран&amp;ить</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>O&amp;ptions...</source>
        <translation>&amp;Параметры...</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Mod&amp;e</source>
        <translation>Р&amp;ежим</translation>
    </message>
    <message>
        <location line="+71"/>
        <source>&amp;Oscilloscope</source>
        <translation>Осци&amp;ллограф</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>&amp;Storage</source>
        <translation>&amp;Хранилище</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&amp;Log</source>
        <translation>&amp;Журнал</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Realtime</source>
        <translation>&amp;Реальное время</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>&amp;Device Menu...</source>
        <translation>&amp;Меню детектора...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Preferences...</source>
        <translation>&amp;Параметры...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Reset to defaults...</source>
        <translation>&amp;Сбросить настройки...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xit</source>
        <translation>&amp;Выход</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Create Folder...</source>
        <translation>&amp;Создать папку...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Rename...</source>
        <translation>&amp;Переименовать...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Delete...</source>
        <translation>&amp;Удалить...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Delete &amp;All...</source>
        <translation>Удалить &amp;всё...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Экспорт в CSV...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>E&amp;xpand All</source>
        <translation>&amp;Развернуть всё</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>C&amp;ollapse All</source>
        <translation>Св&amp;ернуть всё</translation>
    </message>
    <message>
        <location line="+8"/>
        <location line="+32"/>
        <source>&amp;Maximize</source>
        <translation>&amp;Развернуть</translation>
    </message>
    <message>
        <location line="-27"/>
        <source>&amp;Download...</source>
        <translation>&amp;Загрузить...</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>D&amp;iagram</source>
        <translation>&amp;Диаграмма</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>&amp;List</source>
        <translation>&amp;Список</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>&amp;Clear Data...</source>
        <translation>&amp;Очистить данные...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Save Data...</source>
        <translation>&amp;Сохранить данные...</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>&amp;Manual...</source>
        <translation>&amp;Руководство...</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <location line="-324"/>
        <source>Show device options</source>
        <translation>Показать параметры прибора</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Device mode: Auto or Manual</source>
        <translation>Режим прибора: автоматический или ручной</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Unknown Mode</source>
        <translation>Неизвестный режим</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Switch to next band</source>
        <translation>Перейти к следующему диапазону</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <location line="+42"/>
        <source>&lt;Opt2&gt;</source>
        <translation>&lt;Опц2&gt;</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&lt;Opt1&gt;</source>
        <translation>&lt;Опц1&gt;</translation>
    </message>
    <message>
        <location line="+97"/>
        <source>&amp;Connection...</source>
        <translation>Подк&amp;лючение...</translation>
    </message>
    <message>
        <location line="+116"/>
        <source>Record to File</source>
        <translation>Запись в файл</translation>
    </message>
    <message>
        <source>V&amp;iew</source>
        <translation>Ви&amp;д</translation>
    </message>
</context>
<context>
    <name>CManualWindowClass</name>
    <message>
        <location filename="../forms/manualwindow.ui" line="+14"/>
        <source>Manual</source>
        <translation>Руководство</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>Find</source>
        <translation>Найти</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&amp;Hide</source>
        <translation>&amp;Скрыть</translation>
    </message>
</context>
<context>
    <name>CMetricsEndpoint</name>
    <message>
        <source>%1 is not an IP address to serve the metrics on.</source>
        <translation>%1 — не IP-адрес для выдачи метрик.</translation>
    </message>
    <message>
        <source>Cannot serve the metrics on %1 port %2 (taken?).</source>
        <translation>Не удаётся выдавать метрики на %1, порт %2 (занят?).</translation>
    </message>
</context>
<context>
    <name>CMonitorConfig</name>
    <message>
        <source>Use serial port &lt;name&gt;.</source>
        <translation>Использовать последовательный порт &lt;name&gt;.</translation>
    </message>
    <message>
        <source>Use a simulated detector.</source>
        <translation>Использовать имитатор детектора.</translation>
    </message>
    <message>
        <source>The storage folder; records go to its Recordings folder (default: the program&apos;s).</source>
        <translation>Папка хранения; записи идут в её папку Recordings (по умолчанию папка программы).</translation>
    </message>
    <message>
        <source>The detector&apos;s name in topics (default: its USB serial number, else its port&apos;s name).</source>
        <translation>Имя детектора в темах (по умолчанию его серийный номер USB, иначе имя порта).</translation>
    </message>
    <message>
        <source>Publish to the MQTT broker on &lt;host&gt; (default: no publishing).</source>
        <translation>Публиковать на брокер MQTT на узле &lt;host&gt; (по умолчанию не публиковать).</translation>
    </message>
    <message>
        <source>The broker&apos;s port (default: 1883).</source>
        <translation>Порт брокера (по умолчанию 1883).</translation>
    </message>
    <message>
        <source>The first level of the topics (default: kv521).</source>
        <translation>Первый уровень тем (по умолчанию kv521).</translation>
    </message>
    <message>
        <source>The MQTT client id (default: kv521-&lt;detector id&gt;).</source>
        <translation>Идентификатор клиента MQTT (по умолчанию kv521-&lt;detector id&gt;).</translation>
    </message>
    <message>
        <source>Use TLS, trusting the certificate authorities in &lt;file&gt;.</source>
        <translation>Использовать TLS, доверяя центрам сертификации из файла &lt;file&gt;.</translation>
    </message>
    <message>
        <source>TLS: this client&apos;s certificate.</source>
        <translation>TLS: сертификат этого клиента.</translation>
    </message>
    <message>
        <source>TLS: this client&apos;s private key.</source>
        <translation>TLS: закрытый ключ этого клиента.</translation>
    </message>
    <message>
        <source>Log in to the broker as &lt;name&gt;.</source>
        <translation>Входить на брокер как &lt;name&gt;.</translation>
    </message>
    <message>
        <source>The broker password, the first line of &lt;file&gt;.</source>
        <translation>Пароль брокера — первая строка файла &lt;file&gt;.</translation>
    </message>
    <message>
        <source>Publish the levels every &lt;seconds&gt; (default: 1), the highest of each channel.</source>
        <translation>Публиковать уровни каждые &lt;seconds&gt; с (по умолчанию 1), наибольший по каждому каналу.</translation>
    </message>
    <message>
        <source>Home Assistant discovery prefix (default: homeassistant; empty: none).</source>
        <translation>Префикс обнаружения Home Assistant (по умолчанию homeassistant; пусто — нет).</translation>
    </message>
    <message>
        <source>Where messages wait while the broker is away.</source>
        <translation>Где ждут сообщения, пока брокер недоступен.</translation>
    </message>
    <message>
        <source>At most &lt;count&gt; waiting messages (default: 100000); the oldest are dropped beyond.</source>
        <translation>Не более &lt;count&gt; ждущих сообщений (по умолчанию 100000); сверх этого старейшие удаляются.</translation>
    </message>
    <message>
        <source>Serve Prometheus metrics at /metrics on &lt;port&gt; (default: none).</source>
        <translation>Выдавать метрики Prometheus по адресу /metrics на порту &lt;port&gt; (по умолчанию нет).</translation>
    </message>
    <message>
        <source>The address the metrics listen on (default: 127.0.0.1).</source>
        <translation>Адрес, на котором слушают метрики (по умолчанию 127.0.0.1).</translation>
    </message>
    <message>
        <source>Bad value &quot;%1&quot; for %2.</source>
        <translation>Неверное значение «%1» для %2.</translation>
    </message>
    <message>
        <source>Unknown key &quot;%1&quot;.</source>
        <translation>Неизвестный ключ «%1».</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 — не обычный файл.</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>Не удаётся прочитать %1: %2</translation>
    </message>
    <message>
        <source>%1 is too large for a configuration file.</source>
        <translation>%1 слишком велик для файла настроек.</translation>
    </message>
    <message>
        <source>Expected &quot;key = value&quot;.</source>
        <translation>Ожидалось «key = value».</translation>
    </message>
    <message>
        <source>%1, line %2: %3</source>
        <translation>%1, строка %2: %3</translation>
    </message>
    <message>
        <source>--port and --simulate exclude each other.</source>
        <translation>--port и --simulate исключают друг друга.</translation>
    </message>
    <message>
        <source>A client certificate needs TLS: give mqtt-cafile too.</source>
        <translation>Сертификату клиента нужен TLS: задайте и mqtt-cafile.</translation>
    </message>
    <message>
        <source>Give both mqtt-certfile and mqtt-keyfile, or neither.</source>
        <translation>Задайте и mqtt-certfile, и mqtt-keyfile, или ни один.</translation>
    </message>
    <message>
        <source>Cannot read the password file %1.</source>
        <translation>Не удаётся прочитать файл пароля %1.</translation>
    </message>
    <message>
        <source>The site of the sweep (kept beside the files and in the catalogue).</source>
        <translation>Объект обследования (сохраняется рядом с файлами и в каталоге).</translation>
    </message>
    <message>
        <source>The room of the sweep.</source>
        <translation>Помещение обследования.</translation>
    </message>
    <message>
        <source>Who made the sweep.</source>
        <translation>Кто провёл обследование.</translation>
    </message>
</context>
<context>
    <name>COscFilterDialog</name>
    <message>
        <location filename="../forms/oscfilterdialog.ui" line="+14"/>
        <source>Oscilloscope Filter</source>
        <translation>Фильтр осциллографа</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Enable filter</source>
        <translation>Включить фильтр</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>Up smooth coefficient</source>
        <translation>Коэффициент сглаживания роста</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Down smooth coefficient</source>
        <translation>Коэффициент сглаживания спада</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
    <message>
        <location filename="../src/scope/oscfilterdialog.cpp" line="+63"/>
        <source>The smooth coefficients must be numbers not less than 1.</source>
        <translation>Коэффициенты сглаживания должны быть числами не меньше 1.</translation>
    </message>
</context>
<context>
    <name>COscilloscopeWindow</name>
    <message>
        <location filename="../forms/oscilloscopewindow.ui" line="+20"/>
        <location filename="../src/scope/oscilloscopewindow.cpp" line="+65"/>
        <location line="+225"/>
        <source>Oscilloscope</source>
        <translation>Осциллограф</translation>
    </message>
    <message>
        <location line="+37"/>
        <source>&amp;Trigger</source>
        <translation>&amp;Триггер</translation>
    </message>
    <message>
        <location line="+10"/>
        <location filename="../src/scope/oscilloscopewindow.cpp" line="-70"/>
        <source>&amp;Pause</source>
        <translation>&amp;Пауза</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Reset</source>
        <translation>&amp;Сброс</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&amp;Filter...</source>
        <translation>&amp;Фильтр...</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>&amp;Close</source>
        <translation>&amp;Закрыть</translation>
    </message>
    <message>
        <location line="-37"/>
        <source>Reset axis X state</source>
        <translation>Сбросить состояние оси X</translation>
    </message>
    <message>
        <location line="+17"/>
        <location filename="../src/scope/oscilloscopewindow.cpp" line="-5"/>
        <source>Filter disabled</source>
        <translation>Фильтр выключен</translation>
    </message>
    <message>
        <location filename="../src/scope/oscilloscopewindow.cpp" line="-149"/>
        <source>Threshold</source>
        <translation>Порог</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Average</source>
        <translation>Среднее</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Integral</source>
        <translation>Интеграл</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Max</source>
        <translation>Максимум</translation>
    </message>
    <message>
        <location line="+135"/>
        <source>%1 WLAN pulses detected</source>
        <translation>Обнаружено импульсов WLAN: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Filter enabled</source>
        <translation>Фильтр включён</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Res&amp;ume</source>
        <translation>&amp;Продолжить</translation>
    </message>
    <message>
        <location line="+65"/>
        <source>Set Trigger Level</source>
        <translation>Установить уровень триггера</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Toggle Delta Cursor</source>
        <translation>Дельта-курсор</translation>
    </message>
</context>
<context>
    <name>CPortChooserDialog</name>
    <message>
        <source>In use</source>
        <translation>Используется</translation>
    </message>
    <message>
        <location filename="../src/dialogs/portchooserdialog.cpp" line="+79"/>
        <source>Automatic</source>
        <translation>Автоматически</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Found by the port&apos;s description or USB bridge</source>
        <translation>Найден по описанию порта или USB-мосту</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Simulated detector</source>
        <translation>Имитатор детектора</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Built into the program; no detector needed</source>
        <translation>Встроен в программу; детектор не нужен</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Not present now</source>
        <translation>Сейчас отсутствует</translation>
    </message>
</context>
<context>
    <name>CPortChooserDialogClass</name>
    <message>
        <source>Or type the port&apos;s &amp;path:</source>
        <translation>Или введите &amp;путь к порту:</translation>
    </message>
    <message>
        <source>For ports the list does not show: pseudo-terminals, Bluetooth serial ports</source>
        <translation>Для портов, которых нет в списке: псевдотерминалы, последовательные порты Bluetooth</translation>
    </message>
    <message>
        <location filename="../forms/portchooserdialog.ui" line="+14"/>
        <source>Connection</source>
        <translation>Подключение</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Choose the &amp;detector&apos;s port. The list follows ports plugged in and out.</source>
        <translation>Выберите порт &amp;детектора. Список следит за подключением и отключением портов.</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Port</source>
        <translation>Порт</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Manufacturer</source>
        <translation>Производитель</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>USB ID</source>
        <translation>USB ID</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Serial number</source>
        <translation>Серийный номер</translation>
    </message>
</context>
<context>
    <name>CMonitoringController</name>
    <message>
        <source>Choose the monitoring configuration file.</source>
        <translation>Выберите файл конфигурации мониторинга.</translation>
    </message>
    <message>
        <source>%1 names no broker (mqtt-host) and no metrics port (metrics-port).</source>
        <translation>В %1 не указаны ни брокер (mqtt-host), ни порт метрик (metrics-port).</translation>
    </message>
    <message>
        <source>Broker: connected</source>
        <translation>Брокер: подключён</translation>
    </message>
    <message>
        <source>Broker: disconnected</source>
        <translation>Брокер: не подключён</translation>
    </message>
</context>
<context>
    <name>CPreferencesDialog</name>
    <message>
        <source>Monitoring configuration</source>
        <translation>Конфигурация мониторинга</translation>
    </message>
    <message>
        <source>Configuration files (*.conf);;All files (*)</source>
        <translation>Файлы конфигурации (*.conf);;Все файлы (*)</translation>
    </message>
</context>
<context>
    <name>CPreferencesDialogClass</name>
    <message>
        <location filename="../forms/preferencesdialog.ui" line="+14"/>
        <source>Preferences</source>
        <translation>Параметры</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <location line="+52"/>
        <source>&amp;OK</source>
        <translation>&amp;ОК</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
    <message>
        <source>Monitoring</source>
        <translation>Мониторинг</translation>
    </message>
    <message>
        <source>&amp;Publish to MQTT while the program runs</source>
        <translation>&amp;Публиковать в MQTT, пока программа работает</translation>
    </message>
    <message>
        <source>Configuration &amp;file:</source>
        <translation>&amp;Файл конфигурации:</translation>
    </message>
    <message>
        <source>&amp;Browse...</source>
        <translation>О&amp;бзор...</translation>
    </message>
</context>
<context>
    <name>CProgressDialogClass</name>
    <message>
        <location filename="../forms/progressdialog.ui" line="+32"/>
        <source>Progress</source>
        <translation>Ход выполнения</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>Message</source>
        <translation>Сообщение</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>&amp;Cancel</source>
        <translation>О&amp;тмена</translation>
    </message>
</context>
<context>
    <name>CQDiagramWidget</name>
    <message>
        <location filename="../src/diagrams/qdiagramwidget.cpp" line="+618"/>
        <source>Cursor values</source>
        <translation>Значения под курсором</translation>
    </message>
    <message>
        <location line="-3"/>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <location line="-534"/>
        <source>Diagram</source>
        <translation>Диаграмма</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Zoom with Ctrl++ and Ctrl+-, Ctrl+0 shows everything, arrow keys move in time</source>
        <translation>Масштаб: Ctrl++ и Ctrl+-, Ctrl+0 показывает всё, стрелки сдвигают по времени</translation>
    </message>
    <message>
        <location line="+534"/>
        <source> = n/a</source>
        <translation> = н/д</translation>
    </message>
    <message>
        <location line="+142"/>
        <source>3 minutes</source>
        <translation>3 минуты</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>10 minutes</source>
        <translation>10 минут</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>20 minutes</source>
        <translation>20 минут</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>30 minutes</source>
        <translation>30 минут</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1 hour</source>
        <translation>1 час</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>2 hours</source>
        <translation>2 часа</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>3 hours</source>
        <translation>3 часа</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>6 hours</source>
        <translation>6 часов</translation>
    </message>
    <message>
        <location line="+204"/>
        <source>Min = %1&lt;br&gt;Max = %2</source>
        <translation>Мин. = %1&lt;br&gt;Макс. = %2</translation>
    </message>
</context>
<context>
    <name>CQOscilloscopeDiagram</name>
    <message>
        <location filename="../src/scope/qoscilloscopediagram.cpp" line="+194"/>
        <source> dB</source>
        <translation> дБ</translation>
    </message>
    <message>
        <location line="+32"/>
        <source> ms</source>
        <translation> мс</translation>
    </message>
    <message>
        <location line="+100"/>
        <source>Min = %1 dB&lt;br&gt;Max = %2 dB&lt;br&gt;Visible range = %3 dB</source>
        <translation>Мин = %1 дБ&lt;br&gt;Макс = %2 дБ&lt;br&gt;Видимый диапазон = %3 дБ</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>&lt;b&gt;Delta Cursor&lt;/b&gt;&lt;br&gt;Start: %1 ms&lt;br&gt;End: %2 ms&lt;br&gt;Difference: %3 ms (%4 Hz)</source>
        <translation>&lt;b&gt;Дельта-курсор&lt;/b&gt;&lt;br&gt;Начало: %1 мс&lt;br&gt;Конец: %2 мс&lt;br&gt;Разница: %3 мс (%4 Гц)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;b&gt;Delta Cursor&lt;/b&gt;&lt;br&gt;Start: %1 ms&lt;br&gt;End: %2 ms&lt;br&gt;Difference: %3 ms</source>
        <translation>&lt;b&gt;Дельта-курсор&lt;/b&gt;&lt;br&gt;Начало: %1 мс&lt;br&gt;Конец: %2 мс&lt;br&gt;Разница: %3 мс</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Position: %1 ms&lt;br&gt;Level: %3 dB</source>
        <translation>Положение: %1 мс&lt;br&gt;Уровень: %3 дБ</translation>
    </message>
</context>
<context>
    <name>CQTimeDiagramBase</name>
    <message>
        <location filename="../src/diagrams/qtimediagrambase.cpp" line="+244"/>
        <source>dB</source>
        <translation>дБ</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Min = %1 dBm&lt;br&gt;Max = %2 dBm&lt;br&gt;Visible range = %3 dBm</source>
        <translation>Мин. = %1 дБм&lt;br&gt;Макс. = %2 дБм&lt;br&gt;Видимый диапазон = %3 дБм</translation>
    </message>
    <message>
        <location line="+31"/>
        <source>Date/Time: %1&lt;br&gt;Level: %2 dBm</source>
        <translation>Дата/время: %1&lt;br&gt;Уровень: %2 дБм</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>dBm</source>
        <translation>дБм</translation>
    </message>
</context>
<context>
    <name>CQTimeRectsDiagram</name>
    <message>
        <location filename="../src/diagrams/qtimerectsdiagram.cpp" line="+214"/>
        <source>Date/Time: %1&lt;br&gt;Duration: %2&lt;br&gt;Level: %3 dBm</source>
        <translation>Дата/время: %1&lt;br&gt;Длительность: %2&lt;br&gt;Уровень: %3 дБм</translation>
    </message>
</context>
<context>
    <name>CRealtimeRecorder</name>
    <message>
        <location filename="../src/device/realtimerecorder.cpp" line="+88"/>
        <source>The folder %1 cannot be created.</source>
        <translation>Не удалось создать папку %1.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Could not write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
</context>
<context>
    <name>CRecordStream</name>
    <message>
        <location filename="../src/cli/recordstream.cpp" line="+22"/>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <location line="+7"/>
        <location line="+38"/>
        <source>Could not write %1: %2</source>
        <translation>Не удалось записать %1: %2</translation>
    </message>
    <message>
        <source>Could not write the records to the output: %1</source>
        <translation>Не удалось вывести записи: %1</translation>
    </message>
    <message>
        <source>write error</source>
        <translation>ошибка записи</translation>
    </message>
</context>
<context>
    <name>CReportExporter</name>
    <message>
        <location filename="../src/app/reportexporter.cpp" line="+26"/>
        <source>PDF files (*.pdf)</source>
        <translation>Файлы PDF (*.pdf)</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+9"/>
        <source>Expor&amp;t Report...</source>
        <translation>&amp;Экспорт отчёта...</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Open a log or realtime file first.</source>
        <translation>Сначала откройте файл журнала или реального времени.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Export Report</source>
        <translation>Экспорт отчёта</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Writing the report...</source>
        <translation>Запись отчёта...</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Could not write the report!</source>
        <translation>Не удалось записать отчёт!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The report has been written to %1</source>
        <translation>Отчёт записан в %1</translation>
    </message>
    <message>
        <source>Export &amp;File Report...</source>
        <translation>Отчёт по &amp;файлу...</translation>
    </message>
</context>
<context>
    <name>CSessionPlaceDialog</name>
    <message>
        <source>Set Site and Room</source>
        <translation>Объект и помещение</translation>
    </message>
    <message>
        <source>Session %1</source>
        <translation>Сеанс %1</translation>
    </message>
    <message>
        <source>&amp;Client:</source>
        <translation>&amp;Клиент:</translation>
    </message>
    <message>
        <source>A&amp;ddress:</source>
        <translation>&amp;Адрес:</translation>
    </message>
    <message>
        <source>R&amp;oom:</source>
        <translation>&amp;Помещение:</translation>
    </message>
</context>
<context>
    <name>CStorageBrowser</name>
    <message>
        <location filename="../src/app/storagebrowser.cpp" line="+100"/>
        <source>CSV files (*.csv)</source>
        <translation>Файлы CSV (*.csv)</translation>
    </message>
    <message>
        <location line="+184"/>
        <source>Link to %1</source>
        <translation>Ссылка на %1</translation>
    </message>
    <message>
        <location line="+108"/>
        <source>The name may not contain / \ &lt; &gt; : &quot; | ? * or control characters, may not be &quot;.&quot; or &quot;..&quot; and may not end with a blank or a dot.</source>
        <translation>Имя не может содержать / \ &lt; &gt; : &quot; | ? * и управляющие символы, не может быть &quot;.&quot; или &quot;..&quot; и не может оканчиваться пробелом или точкой.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Loading file...</source>
        <translation>Загрузка файла...</translation>
    </message>
    <message>
        <location line="+5"/>
        <location line="+179"/>
        <source>An error occured loading the file!</source>
        <translation>Ошибка при загрузке файла!</translation>
    </message>
    <message>
        <location line="-175"/>
        <source>A file loaded</source>
        <translation>Файл загружен</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Select a storage folder</source>
        <translation>Выберите папку хранилища</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>New storage has been loaded</source>
        <translation>Новое хранилище загружено</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Create a folder</source>
        <translation>Создание папки</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Folder name:</source>
        <translation>Имя папки:</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Could not create a folder!</source>
        <translation>Не удалось создать папку!</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A folder created</source>
        <translation>Папка создана</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Rename a file</source>
        <translation>Переименование файла</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>New file name:</source>
        <translation>Новое имя файла:</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Could not rename the file!</source>
        <translation>Не удалось переименовать файл!</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>A file renamed</source>
        <translation>Файл переименован</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>This item lies outside the storage folder and is not deleted.</source>
        <translation>Этот элемент находится вне папки хранилища и не удаляется.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Do you really want to delete the folder and all its content?</source>
        <translation>Вы действительно хотите удалить папку со всем содержимым?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not delete the folder!</source>
        <translation>Не удалось удалить папку!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A folder has been deleted</source>
        <translation>Папка удалена</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Do you really want to delete the file?</source>
        <translation>Вы действительно хотите удалить файл?</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Could not delete the file!</source>
        <translation>Не удалось удалить файл!</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A file has been deleted</source>
        <translation>Файл удалён</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Do you really want to delete all the items in the archive?</source>
        <translation>Вы действительно хотите удалить все элементы архива?</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Could not delete the items of this storage folder!</source>
        <translation>Не удалось удалить содержимое этой папки хранилища!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Some items could not be deleted!</source>
        <translation>Некоторые элементы не удалось удалить!</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>There&apos;s no data to save!</source>
        <translation>Нет данных для сохранения!</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>An error occured saving collected data!</source>
        <translation>Ошибка при сохранении собранных данных!</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Collected data saved to %1</source>
        <translation>Собранные данные сохранены в %1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Select a log or realtime file to export.</source>
        <translation>Выберите файл журнала или файл реального времени для экспорта.</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Export CSV</source>
        <translation>Экспорт в CSV</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Could not export the file!</source>
        <translation>Не удалось экспортировать файл!</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file has been exported</source>
        <translation>Файл экспортирован</translation>
    </message>
    <message>
        <source>%1 — %2</source>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <source>Room: %1</source>
        <translation>Помещение: %1</translation>
    </message>
    <message>
        <source>Site: %1</source>
        <translation>Объект: %1</translation>
    </message>
    <message>
        <source>The file %1 is not in the storage folder any more.</source>
        <translation>Файла %1 больше нет в папке хранилища.</translation>
    </message>
    <message>
        <source>Baseline of %1</source>
        <translation>Эталон помещения %1</translation>
    </message>
</context>
<context>
    <name>CSweepContextBar</name>
    <message>
        <source>Sweep</source>
        <translation>Обследование</translation>
    </message>
    <message>
        <source>&amp;Client:</source>
        <translation>&amp;Клиент:</translation>
    </message>
    <message>
        <source>A&amp;ddress:</source>
        <translation>&amp;Адрес:</translation>
    </message>
    <message>
        <source>R&amp;oom:</source>
        <translation>&amp;Помещение:</translation>
    </message>
    <message>
        <source>O&amp;perator:</source>
        <translation>&amp;Оператор:</translation>
    </message>
    <message>
        <source>Notes:</source>
        <translation>Заметки:</translation>
    </message>
    <message>
        <source>Notes on this sweep</source>
        <translation>Заметки к обследованию</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Клиент</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Помещение</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Оператор</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>Заметки</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>Recording — %1</source>
        <translation>Запись — %1</translation>
    </message>
</context>
<context>
    <name>CSweepReport</name>
    <message>
        <location filename="../src/app/sweepreport.cpp" line="+134"/>
        <source>Sweep report: %1</source>
        <translation>Отчёт об обследовании: %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Could not write the report %1.</source>
        <translation>Не удалось записать отчёт %1.</translation>
    </message>
    <message>
        <location line="+22"/>
        <source>Sweep Report</source>
        <translation>Отчёт об обследовании</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>log file</source>
        <translation>файл журнала</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>realtime file</source>
        <translation>файл реального времени</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Period</source>
        <translation>Период</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no records</source>
        <translation>нет записей</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+246"/>
        <source>Events</source>
        <translation>События</translation>
    </message>
    <message>
        <location line="-246"/>
        <source>Records</source>
        <translation>Записи</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Channels used</source>
        <translation>Использованные каналы</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+161"/>
        <source>none</source>
        <translation>нет</translation>
    </message>
    <message>
        <location line="-160"/>
        <source>Created</source>
        <translation>Создан</translation>
    </message>
    <message>
        <location line="+25"/>
        <location line="+23"/>
        <location line="+136"/>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <location line="-29"/>
        <source>Signal kinds</source>
        <translation>Виды сигналов</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>unknown</source>
        <translation>неизвестно</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Channels</source>
        <translation>Каналы</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Highest levels</source>
        <translation>Наибольшие уровни</translation>
    </message>
    <message>
        <location line="+23"/>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <location line="+32"/>
        <source>The file holds no events.</source>
        <translation>В файле нет событий.</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>No level reached its threshold.</source>
        <translation>Ни один уровень не достиг порога.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Moments a level reached its threshold</source>
        <translation>Моменты достижения порога</translation>
    </message>
    <message>
        <source>Could not write the report.</source>
        <translation>Не удалось записать отчёт.</translation>
    </message>
    <message>
        <source>RF sweep of %1</source>
        <translation>Радиочастотное обследование: %1</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Помещение</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Оператор</translation>
    </message>
    <message>
        <source>Signal kinds: events</source>
        <translation>Виды сигналов: события</translation>
    </message>
    <message>
        <source>Signal kinds: episodes</source>
        <translation>Виды сигналов: эпизоды</translation>
    </message>
    <message>
        <source>Channels: events</source>
        <translation>Каналы: события</translation>
    </message>
    <message>
        <source>Channels: records</source>
        <translation>Каналы: записи</translation>
    </message>
    <message>
        <source>An episode is a run of consecutive records of one signal kind, not a count of devices; the file holds %1 records.</source>
        <translation>Эпизод — ряд следующих подряд записей одного вида сигнала, а не число устройств; в файле %1 записей.</translation>
    </message>
    <message>
        <source>Alarm: the detector flagged a level at or above its threshold.</source>
        <translation>Тревога: детектор отметил уровень на пороге или выше.</translation>
    </message>
    <message>
        <source>Alarm: a level reached its threshold.</source>
        <translation>Тревога: уровень достиг порога.</translation>
    </message>
    <message>
        <source>Levels in dB; B1/B1F columns hold the level of the channel named in the Band column.</source>
        <translation>Уровни в дБ; столбцы B1/B1F содержат уровень канала, указанного в столбце «Канал».</translation>
    </message>
</context>
<context>
    <name>CWidgetPicture</name>
    <message>
        <source>Image saved to %1</source>
        <translation>Изображение сохранено в %1</translation>
    </message>
    <message>
        <location filename="../src/diagrams/widgetpicture.cpp" line="+60"/>
        <source>The view has no size to take a picture of.</source>
        <translation>У окна нет размера, снимать нечего.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>Save Image</source>
        <translation>Сохранить изображение</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>PNG images (*.png)</source>
        <translation>Изображения PNG (*.png)</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Could not save the image!</source>
        <translation>Не удалось сохранить изображение!</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Save &amp;Image...</source>
        <translation>Сохранить &amp;изображение...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cop&amp;y Image</source>
        <translation>&amp;Копировать изображение</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/app/main.cpp" line="+28"/>
        <source>Companion program of the KV521 radio-frequency detector.</source>
        <translation>Программа для работы с детектором радиочастот KV521.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Use serial port &lt;name&gt; instead of searching for the detector.</source>
        <translation>Использовать последовательный порт &lt;name&gt; вместо поиска детектора.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Connect to a simulated detector started inside the program.</source>
        <translation>Подключиться к имитатору детектора, запущенному внутри программы.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Trace the link, the exchange and the files on the standard error output.</source>
        <translation>Выводить трассировку связи, обмена и файлов в стандартный поток ошибок.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Write the trace to &lt;file&gt; as well (with --verbose or QT_LOGGING_RULES).</source>
        <translation>Записывать трассировку также в &lt;file&gt; (с --verbose или QT_LOGGING_RULES).</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Cannot write the trace: %1</source>
        <translation>Не удаётся записать трассировку: %1</translation>
    </message>
</context>
<context>
    <name>CCatalogue</name>
    <message>
        <source>The SQLite driver of Qt is not installed.</source>
        <translation>Драйвер SQLite для Qt не установлен.</translation>
    </message>
    <message>
        <source>Could not create the folder %1.</source>
        <translation>Не удалось создать папку %1.</translation>
    </message>
    <message>
        <source>The catalogue could not be read (%1); it has been rebuilt from the storage folder.</source>
        <translation>Каталог не удалось прочитать (%1); он заново построен по папке хранилища.</translation>
    </message>
    <message>
        <source>The catalogue is not open.</source>
        <translation>Каталог не открыт.</translation>
    </message>
    <message>
        <source>%1 is not in the storage folder %2.</source>
        <translation>%1 находится вне папки хранилища %2.</translation>
    </message>
    <message>
        <source>The catalogue was made by a later version of the program (schema %1).</source>
        <translation>Каталог создан более новой версией программы (схема %1).</translation>
    </message>
    <message>
        <source>%1 was not recorded in a room, so it cannot be a room&apos;s baseline.</source>
        <translation>%1 записан не в помещении и поэтому не может быть эталоном помещения.</translation>
    </message>
    <message>
        <source>%1 does not hold the last report number; put the last number issued into it.</source>
        <translation>%1 не содержит последнего номера отчёта; запишите в него последний выданный номер.</translation>
    </message>
    <message>
        <source>No report numbers are left.</source>
        <translation>Номера отчётов исчерпаны.</translation>
    </message>
</context>
<context>
    <name>CFileIndexer</name>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <source>%1 is too short to be a data file.</source>
        <translation>%1 слишком короток для файла данных.</translation>
    </message>
    <message>
        <source>%1 has the unknown format version %2.</source>
        <translation>%1 имеет неизвестную версию формата %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be a data file.</source>
        <translation>%1 слишком велик для файла данных.</translation>
    </message>
</context>
<context>
    <name>CFindPrinter</name>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Помещение</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <source>Level, dB</source>
        <translation>Уровень, дБ</translation>
    </message>
    <message>
        <source>Frequency, MHz</source>
        <translation>Частота, МГц</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>alarm</source>
        <translation>тревога</translation>
    </message>
    <message>
        <source>event</source>
        <translation>событие</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Оператор</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Записи</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Тревоги</translation>
    </message>
    <message>
        <source>Current</source>
        <translation>Текущий</translation>
    </message>
    <message>
        <source>Set at</source>
        <translation>Назначен</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Отличие</translation>
    </message>
    <message>
        <source>Description</source>
        <translation>Описание</translation>
    </message>
</context>
<context>
    <name>CQSearchPane</name>
    <message>
        <source>Search</source>
        <translation>Поиск</translation>
    </message>
    <message>
        <source>From</source>
        <translation>С</translation>
    </message>
    <message>
        <source>To</source>
        <translation>По</translation>
    </message>
    <message>
        <source>Si&amp;te:</source>
        <translation>Объек&amp;т:</translation>
    </message>
    <message>
        <source>Roo&amp;m:</source>
        <translation>Поме&amp;щение:</translation>
    </message>
    <message>
        <source>any</source>
        <translation>любой</translation>
    </message>
    <message>
        <source>Signals:</source>
        <translation>Сигналы:</translation>
    </message>
    <message>
        <source>Level at least</source>
        <translation>Уровень не ниже</translation>
    </message>
    <message>
        <source>Alarms only</source>
        <translation>Только тревоги</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Event</source>
        <translation>Событие</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <source>Level, dB</source>
        <translation>Уровень, дБ</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Помещение</translation>
    </message>
    <message>
        <source>Site</source>
        <translation>Объект</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Search results</source>
        <translation>Результаты поиска</translation>
    </message>
    <message>
        <source>There is no catalogue in this storage folder yet: the search finds nothing until the files are catalogued.</source>
        <translation>В этой папке хранилища ещё нет каталога: поиск ничего не найдёт, пока файлы не внесены в каталог.</translation>
    </message>
    <message>
        <source>The catalogue could not be opened: %1</source>
        <translation>Не удалось открыть каталог: %1</translation>
    </message>
    <message>
        <source>The search failed: %1</source>
        <translation>Поиск не удался: %1</translation>
    </message>
    <message>
        <source>%1 to %2</source>
        <translation>с %1 по %2</translation>
    </message>
    <message>
        <source>Log</source>
        <translation>Журнал</translation>
    </message>
    <message>
        <source>Recording</source>
        <translation>Запись</translation>
    </message>
    <message>
        <source>alarm</source>
        <translation>тревога</translation>
    </message>
    <message>
        <source>event</source>
        <translation>событие</translation>
    </message>
    <message>
        <source>record %1</source>
        <translation>запись %1</translation>
    </message>
    <message>
        <source>Sessions: %1, events: %2</source>
        <translation>Сеансов: %1, событий: %2</translation>
    </message>
    <message>
        <source>(the first %1 are listed; narrow the search to see the rest)</source>
        <translation>(показаны первые %1; уточните поиск, чтобы увидеть остальные)</translation>
    </message>
    <message>
        <source>Baseline of %1</source>
        <translation>Эталон помещения %1</translation>
    </message>
</context>
<context>
    <name>CSidecar</name>
    <message>
        <source>not a JSON object</source>
        <translation>не объект JSON</translation>
    </message>
    <message>
        <source>unknown sidecar schema</source>
        <translation>неизвестная схема сопроводительного файла</translation>
    </message>
    <message>
        <source>no valid year and UTC offset</source>
        <translation>нет допустимого года и смещения от UTC</translation>
    </message>
    <message>
        <source>%1: no sidecar</source>
        <translation>%1: нет сопроводительного файла</translation>
    </message>
    <message>
        <source>%1: too large for a sidecar</source>
        <translation>%1: слишком велик для сопроводительного файла</translation>
    </message>
    <message>
        <source>The sweep details could not be kept beside a data file (%1); the data file itself is stored.</source>
        <translation>Сведения об обследовании не удалось сохранить рядом с файлом данных (%1); сам файл данных сохранён.</translation>
    </message>
    <message>
        <source>%1 is not a data file with records.</source>
        <translation>%1 не является файлом данных с записями.</translation>
    </message>
</context>
<context>
    <name>CReportManifest</name>
    <message>
        <source>too large for a report manifest</source>
        <translation>слишком велик для манифеста отчёта</translation>
    </message>
    <message>
        <source>not a report manifest: %1</source>
        <translation>не манифест отчёта: %1</translation>
    </message>
    <message>
        <source>not a JSON object</source>
        <translation>не объект JSON</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 не существует.</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <source>%1: too large for a report manifest</source>
        <translation>%1: слишком велик для манифеста отчёта</translation>
    </message>
</context>
<context>
    <name>CSessionComparison</name>
    <message>
        <source>New signal kind: %1</source>
        <translation>Новый вид сигнала: %1</translation>
    </message>
    <message>
        <source>Signal kind gone: %1</source>
        <translation>Исчез вид сигнала: %1</translation>
    </message>
    <message>
        <source>New band: %1</source>
        <translation>Новый канал: %1</translation>
    </message>
    <message>
        <source>Band gone: %1</source>
        <translation>Исчез канал: %1</translation>
    </message>
    <message>
        <source>New frequency: %1 MHz</source>
        <translation>Новая частота: %1 МГц</translation>
    </message>
    <message>
        <source>Highest level on %1 rose from %2 dB to %3 dB</source>
        <translation>Наибольший уровень в %1 вырос с %2 дБ до %3 дБ</translation>
    </message>
    <message>
        <source>Highest level on %1 fell from %2 dB to %3 dB</source>
        <translation>Наибольший уровень в %1 упал с %2 дБ до %3 дБ</translation>
    </message>
    <message>
        <source>Alarm on %1 (%2), none in the compared session</source>
        <translation>Тревога в %1 (%2), в сравниваемом сеансе её не было</translation>
    </message>
    <message>
        <source>Alarm on %1, none in the compared session</source>
        <translation>Тревога в %1, в сравниваемом сеансе её не было</translation>
    </message>
</context>
<context>
    <name>CMenuSettingsTable</name>
    <message>
        <source>on</source>
        <translation>вкл.</translation>
    </message>
    <message>
        <source>off</source>
        <translation>выкл.</translation>
    </message>
    <message>
        <source>unknown (%1)</source>
        <translation>неизвестно (%1)</translation>
    </message>
</context>
<context>
    <name>CReportTime</name>
    <message>
        <source>time zone not recorded</source>
        <translation>часовой пояс не записан</translation>
    </message>
</context>
<context>
    <name>CVisitReport</name>
    <message>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <source>Page %1</source>
        <translation>Страница %1</translation>
    </message>
    <message>
        <source>Sweep report %1</source>
        <translation>Отчёт об обследовании %1</translation>
    </message>
    <message>
        <source>Could not write the report.</source>
        <translation>Не удалось записать отчёт.</translation>
    </message>
    <message>
        <source>RF sweep of %1</source>
        <translation>Радиочастотное обследование: %1</translation>
    </message>
    <message>
        <source>the rooms listed</source>
        <translation>перечисленные помещения</translation>
    </message>
    <message>
        <source>Could not write the report: %1</source>
        <translation>Не удалось записать отчёт: %1</translation>
    </message>
    <message>
        <source>RF Sweep Report</source>
        <translation>Отчёт о радиочастотном обследовании</translation>
    </message>
    <message>
        <source>Report number %1</source>
        <translation>Отчёт № %1</translation>
    </message>
    <message>
        <source>not assigned</source>
        <translation>не присвоен</translation>
    </message>
    <message>
        <source>USB serial number %1</source>
        <translation>серийный номер USB %1</translation>
    </message>
    <message>
        <source>port %1</source>
        <translation>порт %1</translation>
    </message>
    <message>
        <source>the detector&apos;s clock agreed with the PC&apos;s to the second</source>
        <translation>часы детектора совпадали с часами ПК с точностью до секунды</translation>
    </message>
    <message>
        <source>the detector&apos;s clock was %1 s ahead of the PC&apos;s</source>
        <translation>часы детектора спешили относительно часов ПК на %1 с</translation>
    </message>
    <message>
        <source>the detector&apos;s clock was %1 s behind the PC&apos;s</source>
        <translation>часы детектора отставали от часов ПК на %1 с</translation>
    </message>
    <message>
        <source>not recorded</source>
        <translation>не записано</translation>
    </message>
    <message>
        <source>Client</source>
        <translation>Заказчик</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Адрес</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Оператор</translation>
    </message>
    <message>
        <source>Visit</source>
        <translation>Выезд</translation>
    </message>
    <message>
        <source>no records</source>
        <translation>нет записей</translation>
    </message>
    <message>
        <source>Time zone</source>
        <translation>Часовой пояс</translation>
    </message>
    <message>
        <source>Detector</source>
        <translation>Детектор</translation>
    </message>
    <message>
        <source>PC clock</source>
        <translation>Часы ПК</translation>
    </message>
    <message>
        <source>offset to the detector&apos;s clock not recorded</source>
        <translation>расхождение с часами детектора не записано</translation>
    </message>
    <message>
        <source>Created</source>
        <translation>Создан</translation>
    </message>
    <message>
        <source>Rooms swept</source>
        <translation>Обследованные помещения</translation>
    </message>
    <message>
        <source>Room</source>
        <translation>Помещение</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Начало</translation>
    </message>
    <message>
        <source>End</source>
        <translation>Конец</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Файл</translation>
    </message>
    <message>
        <source>Alarms</source>
        <translation>Тревоги</translation>
    </message>
    <message>
        <source>Settings in force</source>
        <translation>Действовавшие настройки</translation>
    </message>
    <message>
        <source>Read from the detector with %1; for a log file, when the log was downloaded.</source>
        <translation>Считаны с детектора вместе с %1; для файла журнала — при загрузке журнала.</translation>
    </message>
    <message>
        <source>Group</source>
        <translation>Группа</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Настройка</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Значение</translation>
    </message>
    <message>
        <source>Settings not read for %1.</source>
        <translation>Настройки не считаны для %1.</translation>
    </message>
    <message>
        <source>Room: %1</source>
        <translation>Помещение: %1</translation>
    </message>
    <message>
        <source>%1: %2 – %3</source>
        <translation>%1: %2 – %3</translation>
    </message>
    <message>
        <source>Comparison with the baseline</source>
        <translation>Сравнение с эталоном</translation>
    </message>
    <message>
        <source>Not compared with a baseline.</source>
        <translation>С эталоном не сравнивалось.</translation>
    </message>
    <message>
        <source>No baseline: none has been set for this room.</source>
        <translation>Эталона нет: для этого помещения он не задан.</translation>
    </message>
    <message>
        <source>Baseline: %1</source>
        <translation>Эталон: %1</translation>
    </message>
    <message>
        <source>No difference from the baseline was found.</source>
        <translation>Отличий от эталона не обнаружено.</translation>
    </message>
    <message>
        <source>When</source>
        <translation>Когда</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Отличие</translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation>Эталон</translation>
    </message>
    <message>
        <source>This visit</source>
        <translation>Этот выезд</translation>
    </message>
    <message>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <source>No signal above the alarm threshold was found.</source>
        <translation>Сигналов выше порога тревоги не обнаружено.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Канал</translation>
    </message>
    <message>
        <source>Highest level</source>
        <translation>Наибольший уровень</translation>
    </message>
    <message>
        <source>Signal</source>
        <translation>Сигнал</translation>
    </message>
    <message>
        <source>Freq (MHz)</source>
        <translation>Частота (МГц)</translation>
    </message>
    <message>
        <source>%1 alarms in all; the first %2 are listed, the source files hold every one.</source>
        <translation>Всего тревог: %1; перечислены первые %2, исходные файлы содержат все.</translation>
    </message>
    <message>
        <source>Highest levels</source>
        <translation>Наибольшие уровни</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Уровень</translation>
    </message>
    <message>
        <source>Findings and recommendations</source>
        <translation>Выводы и рекомендации</translation>
    </message>
    <message>
        <source>No findings were entered.</source>
        <translation>Выводы не введены.</translation>
    </message>
    <message>
        <source>The detector shows signals above its thresholds at the time and place of measurement; a signal below them, or one not transmitting during the sweep, is not shown.</source>
        <translation>Детектор показывает сигналы выше своих порогов во время и в месте измерения; сигнал ниже порогов или не передававший во время обследования не отображается.</translation>
    </message>
    <message>
        <source>Appendix: source files</source>
        <translation>Приложение: исходные файлы</translation>
    </message>
    <message>
        <source>Each file&apos;s SHA-256 lets anyone check that the data behind this report is unchanged.</source>
        <translation>Хеш SHA-256 каждого файла позволяет любому проверить, что данные отчёта не изменены.</translation>
    </message>
    <message>
        <source>Captured</source>
        <translation>Записан</translation>
    </message>
    <message>
        <source>Records</source>
        <translation>Записи</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 байт</translation>
    </message>
</context>
<context>
    <name>CVisitAssembler</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 дБ</translation>
    </message>
    <message>
        <source>not seen</source>
        <translation>не было</translation>
    </message>
    <message>
        <source>seen</source>
        <translation>есть</translation>
    </message>
    <message>
        <source>no alarm</source>
        <translation>без тревоги</translation>
    </message>
    <message>
        <source>alarm</source>
        <translation>тревога</translation>
    </message>
    <message>
        <source>A report needs at least one realtime or log file.</source>
        <translation>Для отчёта нужен хотя бы один файл реального времени или журнала.</translation>
    </message>
    <message>
        <source>A report number is a positive whole number.</source>
        <translation>Номер отчёта — целое положительное число.</translation>
    </message>
    <message>
        <source>%1 is named twice.</source>
        <translation>%1 указан дважды.</translation>
    </message>
    <message>
        <source>%1 has no sweep details beside it: its room is its file name, its year this one.</source>
        <translation>Рядом с %1 нет сведений об обследовании: помещением считается имя файла, годом — текущий.</translation>
    </message>
    <message>
        <source>%1 was not recorded in a room, so it has no baseline.</source>
        <translation>%1 записан без указания помещения, поэтому эталона у него нет.</translation>
    </message>
    <message>
        <source>%1 is not in the catalogue of %2, so its room&apos;s baseline is not known.</source>
        <translation>%1 нет в каталоге %2, поэтому эталон его помещения неизвестен.</translation>
    </message>
    <message>
        <source>The baseline %1 cannot be read: %2</source>
        <translation>Эталон %1 не удаётся прочитать: %2</translation>
    </message>
    <message>
        <source>%1 is this room&apos;s baseline.</source>
        <translation>%1 — эталон этого помещения.</translation>
    </message>
</context>
<context>
    <name>CVisitReportData</name>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1 не является обычным файлом.</translation>
    </message>
    <message>
        <source>%1 changed while it was read.</source>
        <translation>%1 изменился во время чтения.</translation>
    </message>
</context>
<context>
    <name>CCatalogueWorker</name>
    <message>
        <source>The catalogue cannot be opened.</source>
        <translation>Каталог не открывается.</translation>
    </message>
</context>
<context>
    <name>CQComparisonView</name>
    <message>
        <source>Comparison of Sessions</source>
        <translation>Сравнение сеансов</translation>
    </message>
    <message>
        <source>This session</source>
        <translation>Этот сеанс</translation>
    </message>
    <message>
        <source>Compared session</source>
        <translation>Сеанс для сравнения</translation>
    </message>
    <message>
        <source> MHz</source>
        <translation> МГц</translation>
    </message>
    <message>
        <source> dB</source>
        <translation> дБ</translation>
    </message>
    <message>
        <source>Frequencies closer than this are taken as one</source>
        <translation>Частоты ближе этого считаются одной</translation>
    </message>
    <message>
        <source>Frequency tolerance:</source>
        <translation>Допуск по частоте:</translation>
    </message>
    <message>
        <source>Least level change:</source>
        <translation>Наименьшее изменение уровня:</translation>
    </message>
    <message>
        <source>Time of visit</source>
        <translation>Время визита</translation>
    </message>
    <message>
        <source>Difference</source>
        <translation>Отличие</translation>
    </message>
    <message>
        <source>Differences</source>
        <translation>Отличия</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 не читается: %2</translation>
    </message>
    <message>
        <source>Baseline</source>
        <translation>Эталон</translation>
    </message>
    <message>
        <source>Compared with</source>
        <translation>Сравнивается с</translation>
    </message>
    <message>
        <source>%1 records over %2</source>
        <translation>%1 записей за %2</translation>
    </message>
    <message>
        <source>Nothing differs between the two sessions.</source>
        <translation>Сеансы ничем не отличаются.</translation>
    </message>
    <message>
        <source>Not in this session</source>
        <translation>Нет в этом сеансе</translation>
    </message>
</context>
<context>
    <name>CQVisitReportDialog</name>
    <message>
        <source>Export Report</source>
        <translation>Экспорт отчёта</translation>
    </message>
    <message>
        <source>Data files (*.rdf *.ldf);;All files (*)</source>
        <translation>Файлы данных (*.rdf *.ldf);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Текстовые файлы (*.txt);;Все файлы (*)</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Файлы PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Sessions of the visit:</source>
        <translation>Сеансы визита:</translation>
    </message>
    <message>
        <source>Sessions of the visit</source>
        <translation>Сеансы визита</translation>
    </message>
    <message>
        <source>Add Files...</source>
        <translation>Добавить файлы...</translation>
    </message>
    <message>
        <source>Findings and recommendations</source>
        <translation>Выводы и рекомендации</translation>
    </message>
    <message>
        <source>From a Text File...</source>
        <translation>Из текстового файла...</translation>
    </message>
    <message>
        <source>Browse...</source>
        <translation>Обзор...</translation>
    </message>
    <message>
        <source>Report file:</source>
        <translation>Файл отчёта:</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Экспорт</translation>
    </message>
    <message>
        <source>Add sessions</source>
        <translation>Добавить сеансы</translation>
    </message>
    <message>
        <source>%1 is not a text file of findings.</source>
        <translation>%1 — не текстовый файл с выводами.</translation>
    </message>
    <message>
        <source>The report was not written: %1</source>
        <translation>Отчёт не записан: %1</translation>
    </message>
    <message>
        <source>no session is chosen.</source>
        <translation>не выбран ни один сеанс.</translation>
    </message>
    <message>
        <source>no report file is given.</source>
        <translation>не указан файл отчёта.</translation>
    </message>
    <message>
        <source>%1 is a folder.</source>
        <translation>%1 — это папка.</translation>
    </message>
    <message>
        <source>Writing the report...</source>
        <translation>Запись отчёта...</translation>
    </message>
    <message>
        <source>The report has been written to %1, its manifest to %2.</source>
        <translation>Отчёт записан в %1, его манифест — в %2.</translation>
    </message>
</context>
<context>
    <name>CSessionActions</name>
    <message>
        <source>Data files (*.rdf *.ldf);;All files (*)</source>
        <translation>Файлы данных (*.rdf *.ldf);;Все файлы (*)</translation>
    </message>
    <message>
        <source>Set as Baseline</source>
        <translation>Сделать эталоном</translation>
    </message>
    <message>
        <source>Compare with Baseline</source>
        <translation>Сравнить с эталоном</translation>
    </message>
    <message>
        <source>Compare with...</source>
        <translation>Сравнить с...</translation>
    </message>
    <message>
        <source>Setting %1 as baseline...</source>
        <translation>%1 становится эталоном...</translation>
    </message>
    <message>
        <source>No baseline: this session was not recorded in a room.</source>
        <translation>Нет эталона: этот сеанс записан не в помещении.</translation>
    </message>
    <message>
        <source>No baseline: the room %1 has none. &quot;Set as Baseline&quot; on one of its sessions makes one.</source>
        <translation>Нет эталона: у помещения %1 его нет. Команда «Сделать эталоном» на одном из его сеансов создаёт его.</translation>
    </message>
    <message>
        <source>Compare %1 with</source>
        <translation>Сравнить %1 с</translation>
    </message>
</context>
<context>
    <name>CReportLoader</name>
    <message>
        <source>%1 is not this program&apos;s report module.</source>
        <translation>%1 — не модуль отчётов этой программы.</translation>
    </message>
    <message>
        <source>The report module %1 is not installed.</source>
        <translation>Модуль отчётов %1 не установлен.</translation>
    </message>
</context>
</TS>
