-- The shipped local store. The program never creates tables; it reads
-- tb_part and the newest tb_set row, and inserts tb_set rows.
PRAGMA encoding = 'UTF-8';

-- Icon skin of each driver category, keyed by the category name as the
-- driver service sends it.
CREATE TABLE tb_part (
    partname TEXT PRIMARY KEY NOT NULL,
    iconname TEXT NOT NULL
);

-- Download settings; the row with the largest id is in effect.
-- localpath: download folder (empty: the program's "Driver" folder);
-- newdevpath: simultaneous downloads, "1" to "6".
CREATE TABLE tb_set (
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    localpath TEXT NOT NULL DEFAULT '',
    newdevpath TEXT NOT NULL DEFAULT ''
);

INSERT INTO tb_part (partname, iconname) VALUES
    ('芯片组', '_skin.sys.dirver.icon_1'),
    ('显卡', '_skin.sys.dirver.icon_2'),
    ('声卡', '_skin.sys.dirver.icon_4'),
    ('网卡', '_skin.sys.dirver.icon_5'),
    ('蓝牙', '_skin.sys.dirver.icon_6'),
    ('BIOS', '_skin.sys.dirver.icon_7'),
    ('Zorvik驱动专用[重要]', '_skin.sys.dirver.icon_8');

INSERT INTO tb_set (localpath, newdevpath) VALUES ('', '3');
