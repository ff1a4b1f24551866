-- «Табель»: a small demo plant.
--
-- Load after schema.sql into an empty database:
--   psql -v ON_ERROR_STOP=1 -d DB -f db/schema.sql -f db/demo.sql
--
-- Thirty workers of a metalwork shop making racks, steel structures, fences
-- and workshop furniture. Shift records cover the previous and the current
-- month up to today; all dates are taken relative to current_date, so the
-- register always opens on a filled working day (today has records in all
-- four shifts). The hours timesheet rows are computed from the records at the
-- end of the file the way the month rebuild computes them, so both agree.
-- Nothing here is random: the spread of attendance, operations and
-- quantities comes from fixed arithmetic on the day number and the worker id.

SET client_min_messages = warning;

BEGIN;

-- Rounding of prices and money: half to even, as the client rounds them.
CREATE FUNCTION pg_temp.round_even(x numeric, n integer) RETURNS numeric
LANGUAGE sql IMMUTABLE AS $$
    SELECT CASE
               WHEN abs(x * 10::numeric ^ n - trunc(x * 10::numeric ^ n)) = 0.5
                    AND mod(trunc(x * 10::numeric ^ n), 2) = 0
               THEN trunc(x * 10::numeric ^ n) / 10::numeric ^ n
               ELSE round(x, n)
           END
$$;

-- ERP: departments, staff positions, roles ---------------------------------
INSERT INTO cmn_department.department (id, id_branch, id_parent, s_code, s_caption, s_description) VALUES
    (40, 1, NULL, 'ПР',   'Производство',                       ''),
    (41, 1, 40,   'ЗУ',   'Заготовительный участок',            'Резка, гибка, штамповка'),
    (42, 1, 40,   'СВУ',  'Сварочный участок',                  ''),
    (43, 1, 40,   'МУ',   'Малярный участок',                   'Порошковая и жидкая окраска'),
    (44, 1, 40,   'СБУ',  'Сборочный участок',                  'Сборка и упаковка'),
    (45, 1, 40,   'МЕХ',  'Механический участок',               'Токарные, фрезерные, сверлильные работы'),
    (46, 1, 40,   'РМС',  'Ремонтно-механическая служба',       ''),
    (47, 1, NULL, 'ОТиЗ', 'Отдел труда и заработной платы',     '');

INSERT INTO hrms_staffpos.staffpos (id, id_department, s_code, s_caption, s_description, d_begin, d_end) VALUES
    (201, 41, '01', 'Резчик металла',               '', '2015-01-01', NULL),
    (202, 41, '02', 'Гибщик',                       '', '2015-01-01', NULL),
    (203, 41, '03', 'Штамповщик',                   '', '2015-01-01', NULL),
    (204, 42, '04', 'Электросварщик',               '', '2015-01-01', NULL),
    (205, 42, '05', 'Ученик электросварщика',       '', '2021-03-01', NULL),
    (206, 42, '06', 'Слесарь',                      '', '2015-01-01', NULL),
    (207, 43, '07', 'Маляр',                        '', '2015-01-01', NULL),
    (208, 43, '08', 'Оператор покрасочной камеры',  '', '2018-06-01', NULL),
    (209, 44, '09', 'Слесарь-сборщик',              '', '2015-01-01', NULL),
    (210, 44, '10', 'Упаковщик',                    '', '2015-01-01', NULL),
    (211, 44, '11', 'Подсобный рабочий',            '', '2015-01-01', NULL),
    (212, 45, '12', 'Токарь',                       '', '2015-01-01', NULL),
    (213, 45, '13', 'Фрезеровщик',                  '', '2015-01-01', NULL),
    (214, 45, '14', 'Сверловщик',                   '', '2015-01-01', NULL),
    (215, 46, '15', 'Слесарь-ремонтник',            '', '2015-01-01', NULL),
    (216, 46, '16', 'Электромонтёр',                '', '2015-01-01', NULL),
    (217, 40, '17', 'Мастер участка',               '', '2015-01-01', NULL),
    (218, 47, '18', 'Нормировщик',                  '', '2015-01-01', NULL),
    (219, 47, '19', 'Бухгалтер-расчётчик',          '', '2015-01-01', NULL),
    (220, 45, '20', 'Шлифовщик',                    '', '2015-01-01', '2019-12-31');

INSERT INTO adm_role.roles (id, s_name, s_caption, d_begin, d_end, b_active) VALUES
    (301, 'admin',    'Администратор',         '2015-01-01', NULL,         'true'),
    (302, 'operator', 'Оператор табеля',       '2015-01-01', NULL,         'true'),
    (303, 'master',   'Мастер участка',        '2015-01-01', NULL,         'true'),
    (304, 'analyst',  'Экономист',             '2016-09-01', NULL,         'true'),
    (305, 'guest',    'Гость',                 '2015-01-01', '2020-12-31', 'false');

-- Nomenclature groups and products -----------------------------------------
INSERT INTO cmn_classifier.item (id, s_caption, b_excluded) VALUES
    (101, 'Стеллажи и полки', 0),
    (102, 'Металлоконструкции', 0),
    (103, 'Ограждения', 0),
    (104, 'Металлическая мебель', 0),
    (105, 'Снято с производства', 1);

INSERT INTO cmn_gds_and_srv.gds_and_srv (id, s_caption, massa, id_class_item) VALUES
    (1001, 'Стеллаж СТ-1200',          28.450000, 101),
    (1002, 'Стеллаж СТ-1500',          34.120500, 101),
    (1003, 'Стеллаж СТ-2000',          41.875000, 101),
    (1004, 'Полка П-600',               3.215000, 101),
    (1005, 'Полка П-1000',              5.362500, 101),
    (1006, 'Стойка СС-2000',            6.480000, 101),
    (1007, 'Ферма ФС-6',              112.300000, 102),
    (1008, 'Балка Б-12',               48.760000, 102),
    (1009, 'Кронштейн КР-150',          1.245300, 102),
    (1010, 'Опора ОП-3',               15.600000, 102),
    (1011, 'Лестница Л-3000',          22.115000, 102),
    (1012, 'Секция ограждения СО-2500', 18.940000, 103),
    (1013, 'Калитка К-1000',           21.300000, 103),
    (1014, 'Ворота ВР-3500',           86.425000, 103),
    (1015, 'Столб С-60',                7.852000, 103),
    (1016, 'Шкаф ШР-22',               38.600000, 104),
    (1017, 'Верстак ВС-1200',          54.250000, 104),
    (1018, 'Тумба ТИ-5',               16.784000, 104),
    (1019, 'Скамья СК-1500',           12.506250, 104),
    (1020, 'Шкаф сушильный ШС-4',      44.100000, 104),
    (1021, 'Стеллаж СТ-900',           19.300000, 105);

-- Workers (mirrored into cmn_contractor.person by the trigger) -------------
INSERT INTO accounts_dep.person (id, fio, s_staffpos_hl) VALUES
    (1,  'Иванов Иван Иванович',            'Резчик металла'),
    (2,  'Петров Сергей Николаевич',        'Электросварщик'),
    (3,  'Сидоров Алексей Викторович',      'Электросварщик'),
    (4,  'Кузнецов Дмитрий Александрович',  'Гибщик'),
    (5,  'Смирнов Андрей Петрович',         'Токарь'),
    (6,  'Васильев Николай Геннадьевич',    'Слесарь-сборщик'),
    (7,  'Попов Владимир Сергеевич',        'Маляр'),
    (8,  'Соколов Евгений Михайлович',      'Маляр'),
    (9,  'Михайлов Олег Юрьевич',           'Фрезеровщик'),
    (10, 'Новиков Павел Андреевич',         'Упаковщик'),
    (11, 'Фёдоров Игорь Валентинович',      'Сверловщик'),
    (12, 'Морозов Виктор Иванович',         'Слесарь'),
    (13, 'Волков Роман Олегович',           'Электросварщик'),
    (14, 'Алексеев Константин Львович',     'Резчик металла'),
    (15, 'Лебедев Артём Денисович',         'Слесарь-сборщик'),
    (16, 'Семёнов Григорий Павлович',       'Маляр'),
    (17, 'Егоров Максим Игоревич',          'Штамповщик'),
    (18, 'Павлов Юрий Борисович',           'Электросварщик'),
    (19, 'Козлов Станислав Евгеньевич',     'Токарь'),
    (20, 'Степанов Валерий Анатольевич',    'Гибщик'),
    (21, 'Николаев Анатолий Фёдорович',     'Подсобный рабочий'),
    (22, 'Орлов Василий Степанович',        'Подсобный рабочий'),
    (23, 'Андреев Михаил Ильич',            'Подсобный рабочий'),
    (24, 'Макаров Кирилл Вадимович',        'Оператор покрасочной камеры'),
    (25, 'Никитин Геннадий Романович',      'Слесарь-ремонтник'),
    (26, 'Захаров Леонид Аркадьевич',       'Электромонтёр'),
    (27, 'Зайцев Тимофей Сергеевич',        'Электросварщик'),
    (28, 'Соловьёв Борис Николаевич',       'Токарь'),
    (29, 'Борисов Денис Валерьевич',        'Ученик электросварщика'),
    (30, 'Яковлева Ольга Петровна',         'Маляр');
DO $$ BEGIN PERFORM setval('accounts_dep.person_id_seq', (SELECT max(id) FROM accounts_dep.person)); END $$;

-- Operation types (2 and 3, the painting types, come with the schema) -------
INSERT INTO accounts_dep.vid_oper (id, vid) VALUES
    (1,  'Резка'),
    (4,  'Сварка'),
    (5,  'Гибка'),
    (6,  'Сборка'),
    (7,  'Токарная'),
    (8,  'Упаковка'),
    (9,  'Сверловка'),
    (10, 'Фрезерная'),
    (11, 'Зачистка'),
    (12, 'Штамповка'),
    (13, 'Шлифовка');

-- Operations and their norms -------------------------------------------------
-- One line per operation: id, product, type, kind (0 finished product,
-- 1 blanks), piece price, and a second, dearer norm where there is one.
CREATE TEMP TABLE demo_price (
    o_id   integer,
    i_id   integer,
    vid    integer,
    naimen integer,
    price  numeric,
    price2 numeric
);
INSERT INTO demo_price VALUES
    -- Стеллаж СТ-1200
    (1,   1001, 1,  1, 1.35,   NULL),
    (2,   1001, 12, 1, 0.8475, NULL),
    (3,   1001, 5,  1, 2.10,   NULL),
    (4,   1001, 4,  0, 12.50,  13.10),
    (5,   1001, 3,  0, 3.75,   NULL),
    (6,   1001, 2,  0, 6.20,   NULL),
    (7,   1001, 6,  0, 8.40,   NULL),
    (8,   1001, 8,  0, 4.15,   NULL),
    -- Стеллаж СТ-1500
    (9,   1002, 1,  1, 1.55,   NULL),
    (10,  1002, 5,  1, 2.40,   NULL),
    (11,  1002, 4,  0, 14.80,  NULL),
    (12,  1002, 2,  0, 7.35,   NULL),
    (13,  1002, 6,  0, 9.60,   NULL),
    (14,  1002, 8,  0, 4.60,   NULL),
    -- Стеллаж СТ-2000
    (15,  1003, 1,  1, 1.85,   NULL),
    (16,  1003, 4,  0, 18.25,  NULL),
    (17,  1003, 11, 0, 2.10,   NULL),
    (18,  1003, 2,  0, 9.10,   NULL),
    (19,  1003, 6,  0, 11.75,  NULL),
    (20,  1003, 8,  0, 5.20,   NULL),
    -- Полка П-600
    (21,  1004, 1,  1, 0.62,   NULL),
    (22,  1004, 12, 1, 0.4125, NULL),
    (23,  1004, 5,  1, 0.95,   NULL),
    (24,  1004, 2,  0, 1.85,   2.05),
    (25,  1004, 8,  0, 0.55,   NULL),
    -- Полка П-1000
    (26,  1005, 1,  1, 0.78,   NULL),
    (27,  1005, 5,  1, 1.20,   NULL),
    (28,  1005, 2,  0, 2.45,   NULL),
    (29,  1005, 8,  0, 0.70,   NULL),
    -- Стойка СС-2000
    (30,  1006, 1,  1, 0.95,   NULL),
    (31,  1006, 12, 1, 0.5875, NULL),
    (32,  1006, 9,  1, 1.625,  NULL),
    (33,  1006, 2,  0, 1.90,   NULL),
    -- Ферма ФС-6
    (34,  1007, 1,  1, 24.00,  NULL),
    (35,  1007, 4,  0, 385.00, 410.00),
    (36,  1007, 11, 0, 46.50,  NULL),
    (37,  1007, 3,  0, 58.00,  NULL),
    (38,  1007, 2,  0, 96.00,  NULL),
    -- Балка Б-12
    (39,  1008, 1,  1, 8.50,   NULL),
    (40,  1008, 9,  1, 6.75,   NULL),
    (41,  1008, 4,  0, 92.40,  NULL),
    (42,  1008, 3,  0, 18.60,  NULL),
    (43,  1008, 2,  0, 27.30,  NULL),
    -- Кронштейн КР-150
    (44,  1009, 1,  1, 0.315,  NULL),
    (45,  1009, 5,  1, 0.445,  0.4675),
    (46,  1009, 9,  1, 0.2875, NULL),
    (47,  1009, 2,  0, 0.65,   NULL),
    (48,  1009, 8,  0, 0.85,   NULL),
    -- Опора ОП-3
    (49,  1010, 7,  1, 18.40,  NULL),
    (50,  1010, 10, 1, 12.60,  NULL),
    (51,  1010, 4,  0, 34.75,  NULL),
    (52,  1010, 3,  0, 7.80,   NULL),
    (53,  1010, 2,  0, 11.20,  NULL),
    -- Лестница Л-3000
    (54,  1011, 1,  1, 4.20,   NULL),
    (55,  1011, 4,  0, 46.80,  NULL),
    (56,  1011, 11, 0, 9.35,   NULL),
    (57,  1011, 2,  0, 14.60,  NULL),
    -- Секция ограждения СО-2500
    (58,  1012, 1,  1, 3.40,   NULL),
    (59,  1012, 9,  1, 0.95,   NULL),
    (60,  1012, 4,  0, 28.50,  NULL),
    (61,  1012, 11, 0, 6.90,   NULL),
    (62,  1012, 3,  0, 8.25,   NULL),
    (63,  1012, 2,  0, 12.80,  NULL),
    -- Калитка К-1000
    (64,  1013, 1,  1, 3.10,   NULL),
    (65,  1013, 7,  1, 2.25,   NULL),
    (66,  1013, 4,  0, 31.20,  NULL),
    (67,  1013, 6,  0, 14.50,  NULL),
    (68,  1013, 2,  0, 10.40,  NULL),
    -- Ворота ВР-3500
    (69,  1014, 1,  1, 12.60,  NULL),
    (70,  1014, 10, 1, 7.30,   NULL),
    (71,  1014, 4,  0, 145.00, NULL),
    (72,  1014, 11, 0, 18.40,  NULL),
    (73,  1014, 6,  0, 62.00,  65.50),
    (74,  1014, 3,  0, 32.40,  NULL),
    (75,  1014, 2,  0, 48.75,  NULL),
    -- Столб С-60
    (76,  1015, 1,  1, 1.20,   NULL),
    (77,  1015, 4,  0, 5.85,   NULL),
    (78,  1015, 2,  0, 3.30,   NULL),
    -- Шкаф ШР-22
    (79,  1016, 12, 1, 2.35,   NULL),
    (80,  1016, 5,  1, 3.80,   NULL),
    (81,  1016, 9,  1, 0.85,   NULL),
    (82,  1016, 10, 1, 1.40,   NULL),
    (83,  1016, 4,  0, 22.40,  NULL),
    (84,  1016, 2,  0, 16.90,  NULL),
    (85,  1016, 6,  0, 18.60,  NULL),
    (86,  1016, 8,  0, 6.40,   NULL),
    -- Верстак ВС-1200
    (87,  1017, 1,  1, 5.60,   NULL),
    (88,  1017, 7,  1, 4.60,   NULL),
    (89,  1017, 10, 1, 9.45,   NULL),
    (90,  1017, 4,  0, 38.20,  NULL),
    (91,  1017, 2,  0, 15.30,  NULL),
    (92,  1017, 6,  0, 21.80,  NULL),
    -- Тумба ТИ-5
    (93,  1018, 12, 1, 1.95,   NULL),
    (94,  1018, 5,  1, 2.90,   NULL),
    (95,  1018, 4,  0, 12.75,  NULL),
    (96,  1018, 2,  0, 8.60,   NULL),
    (97,  1018, 6,  0, 10.20,  NULL),
    (98,  1018, 8,  0, 2.10,   NULL),
    -- Скамья СК-1500
    (99,  1019, 1,  1, 1.65,   NULL),
    (100, 1019, 7,  1, 3.15,   NULL),
    (101, 1019, 4,  0, 9.80,   NULL),
    (102, 1019, 2,  0, 5.45,   NULL),
    (103, 1019, 8,  0, 1.75,   NULL),
    -- Шкаф сушильный ШС-4
    (104, 1020, 5,  1, 4.10,   NULL),
    (105, 1020, 7,  1, 7.85,   NULL),
    (106, 1020, 4,  0, 26.30,  NULL),
    (107, 1020, 6,  0, 24.40,  NULL),
    (108, 1020, 2,  0, 18.20,  NULL);

INSERT INTO accounts_dep.oper (id, vid, naimen, i_id, cena_new)
SELECT o_id, vid, naimen, i_id, 0 FROM demo_price ORDER BY o_id;

-- The norm figure is the output of a shift at the piece price; welders get a
-- 10 % bonus, painters 5 %.
INSERT INTO accounts_dep.norm (o_id, norma, prize, price)
SELECT o_id,
       greatest(1, round(1800 / p))::integer,
       CASE vid WHEN 4 THEN 10 WHEN 2 THEN 5 ELSE 0 END,
       p::double precision
FROM (SELECT o_id, vid, price AS p, 1 AS n FROM demo_price
      UNION ALL
      SELECT o_id, vid, price2, 2 FROM demo_price WHERE price2 IS NOT NULL) x
ORDER BY o_id, n;

-- Work calendar ----------------------------------------------------------------
-- Every day from the first of the previous month to today; k counts the days.
CREATE TEMP TABLE demo_day AS
SELECT d::date AS data,
       d::date - (date_trunc('month', current_date) - interval '1 month')::date AS k,
       extract(isodow FROM d)::integer AS dow,
       d::date = current_date AS today,
       -- every other Saturday is a working Saturday for a small crew
       extract(isodow FROM d) = 6 AND ((d::date - date '2000-01-01') / 7) % 2 = 0 AS work_sat
FROM generate_series((date_trunc('month', current_date) - interval '1 month')::date,
                     current_date, interval '1 day') d;

-- Piece workers: shift and the operation type each of them does.
CREATE TEMP TABLE demo_crew (w_id integer, smena integer, vid integer);
INSERT INTO demo_crew VALUES
    (1, 1, 1), (2, 1, 4), (3, 1, 4), (4, 1, 5), (5, 1, 7),
    (6, 1, 6), (7, 1, 2), (8, 1, 3), (9, 1, 10), (10, 1, 8),
    (11, 2, 9), (12, 2, 11), (13, 2, 4), (14, 2, 1), (15, 2, 6),
    (16, 2, 2), (27, 2, 4), (28, 2, 7), (30, 2, 3),
    (17, 3, 12), (18, 3, 4), (19, 3, 7), (20, 3, 5);

-- Days on which Зайцев and Соловьёв are paid at their average piecework rate
-- (their machines were down) instead of by the piece.
CREATE TEMP TABLE demo_avg_day AS
SELECT d.data, d.k, c.w_id
FROM demo_day d JOIN demo_crew c ON c.w_id IN (27, 28)
WHERE d.dow <= 5 AND NOT d.today AND (d.k + c.w_id) % 9 = 0;

-- Attendance: who did piecework in which shift on which day, for how long.
CREATE TEMP TABLE demo_att AS
-- ordinary working days (and today, whatever day of the week it is)
SELECT d.data, d.k, d.dow, d.today, c.w_id, c.smena, c.vid,
       CASE WHEN NOT d.today AND (d.k + c.w_id * 3) % 13 = 0 THEN 10 ELSE 8 END AS hours
FROM demo_day d JOIN demo_crew c ON true
WHERE (d.dow <= 5 OR d.today)
  AND (d.today OR (d.k * 3 + c.w_id * 5) % 11 <> 0)
  AND NOT EXISTS (SELECT 1 FROM demo_avg_day a WHERE a.data = d.data AND a.w_id = c.w_id)
UNION ALL
-- working Saturdays, paid double
SELECT d.data, d.k, d.dow, d.today, c.w_id, c.smena, c.vid, 6
FROM demo_day d JOIN demo_crew c ON c.w_id IN (2, 6, 7)
WHERE d.work_sat AND NOT d.today
UNION ALL
-- overtime after the first shift
SELECT d.data, d.k, d.dow, d.today, c.w_id, 4, c.vid, 2 + (d.k + c.w_id) % 3
FROM demo_day d JOIN demo_crew c ON c.w_id IN (2, 5, 6, 9)
WHERE (d.dow <= 5 AND NOT d.today AND (d.k * 2 + c.w_id) % 5 = 0
       AND (d.k * 3 + c.w_id * 5) % 11 <> 0)
   OR (d.today AND c.w_id IN (5, 6));

-- Operations of each type, numbered, with the price the price list hands over
-- (the lowest norm price).
CREATE TEMP TABLE demo_opvid AS
SELECT o.id AS o_id, o.i_id, o.vid, o.naimen, min(n.price)::numeric AS price,
       (row_number() OVER (PARTITION BY o.vid ORDER BY o.id) - 1)::integer AS rn,
       (count(*) OVER (PARTITION BY o.vid))::integer AS cnt
FROM accounts_dep.oper o JOIN accounts_dep.norm n ON n.o_id = o.id
WHERE o.vid < 7777
GROUP BY o.id, o.i_id, o.vid, o.naimen;

-- Positions: one per attendance, two on some days (the second one 3 hours).
CREATE TEMP TABLE demo_pos AS
SELECT a.*, j,
       CASE WHEN npos = 1 THEN a.hours WHEN j = 0 THEN a.hours - 3 ELSE 3 END AS pos_hours,
       (a.k * 7 + a.w_id * 3 + a.smena + j) AS pick
FROM demo_att a
CROSS JOIN LATERAL (SELECT CASE WHEN a.smena IN (1, 2) AND a.hours >= 8 AND (a.k + a.w_id) % 6 = 0
                                THEN 2 ELSE 1 END AS npos) np
CROSS JOIN LATERAL generate_series(0, np.npos - 1) j;

-- Shift records ------------------------------------------------------------
-- Price: the lowest norm price, doubled on Saturdays and Sundays, then × 1.2
-- in the third shift and × 1.5 in overtime; 4 decimals.
-- Quantity: what earns the worker 1400..2210 a day at the base price.
-- Colour: painting (type 2) is done in primer (1) or a RAL colour.
INSERT INTO accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color,
                                "time", vvod, ok, prize, id_doc, id_doc_item,
                                f_gds_qty_use, id_gds_use, id_cons_use)
SELECT p.w_id, o.i_id, o.o_id,
       pg_temp.round_even(o.price
                          * CASE WHEN p.dow >= 6 THEN 2 ELSE 1 END
                          * CASE p.smena WHEN 3 THEN 1.2 WHEN 4 THEN 1.5 ELSE 1 END, 4)::double precision,
       q.qty,
       CASE WHEN (p.k * 5 + p.w_id) % 9 = 0 THEN greatest(1, q.qty / 50) ELSE 0 END,
       p.data, p.smena,
       CASE WHEN o.vid = 2
            THEN (ARRAY[1, 9003, 3020, 5015, 7035, 6005, 9005, 1])[1 + (p.k + p.w_id + p.j) % 8]
            ELSE 0 END,
       p.pos_hours,
       p.data::timestamp,
       CASE WHEN p.today THEN CASE WHEN (p.w_id + p.j) % 3 = 0 THEN 'ok' ELSE 'no' END
            WHEN p.data >= current_date - 2 THEN CASE WHEN (p.w_id + p.k) % 4 = 0 THEN 'no' ELSE 'ok' END
            WHEN (p.k + p.w_id + p.j) % 6 = 0 THEN 'да'
            WHEN (p.k * 7 + p.w_id) % 29 = 0 THEN 'no'
            ELSE 'ok' END,
       0, 0, 0, 0, 0, 0
FROM demo_pos p
JOIN demo_opvid o ON o.vid = p.vid AND o.rn = p.pick % o.cnt
CROSS JOIN LATERAL (SELECT least(2500, greatest(1, round((1400 + ((p.k * 13 + p.w_id * 7) % 10) * 90)
                                                         * p.pos_hours / 8.0 / o.price)))::integer AS qty) q
ORDER BY p.data, p.smena, p.w_id, p.j;

-- Two lines struck off by the office ('ta'): kept, but never shown.
INSERT INTO accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color, "time", vvod, ok)
SELECT 10, 1012, 61, CASE WHEN extract(isodow FROM current_date) >= 6 THEN 13.8 ELSE 6.9 END,
       25, 0, current_date, 1, 0, 0, current_date::timestamp, 'ta'
UNION ALL
SELECT 12, 1003, 20, 5.2, 40, 0, d.data, 2, 0, 0, d.data::timestamp, 'ta'
FROM (SELECT min(data) AS data FROM demo_day WHERE dow = 2 AND k >= 7) d;

-- Helper worker lines: Николаев helps Петров (shift 1), Орлов helps Волков
-- (shift 2) on their first position of the day. Rate = 70 % of the position's
-- earnings per hour, 2 decimals; the line's price is hours × rate.
INSERT INTO accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color,
                                "time", vvod, ok, prize, id_doc, id_doc_item,
                                f_gds_qty_use, id_gds_use, id_cons_use)
SELECT h.helper, p.i_id, 7779,
       (hh.hrs * pg_temp.round_even(0.7 * p.cena::numeric * (p.kol_vo - p.brak) / p."time", 2))::double precision,
       1, 0, p.data, p.smena, p.color, hh.hrs,
       p.data + time '10:40' + h.helper * interval '1 minute',
       CASE WHEN d.today THEN 'no' WHEN d.data >= current_date - 2 THEN 'ok'
            WHEN d.k % 6 = 0 THEN 'да' ELSE 'ok' END,
       0, 0, 0, 0, 0, 0
FROM (SELECT DISTINCT ON (s.w_id, s.data) s.*
      FROM accounts_dep.smena s
      WHERE (s.w_id, s.smena) IN ((2, 1), (13, 2)) AND s.ok <> 'ta'
      ORDER BY s.w_id, s.data, s.id) p
JOIN (VALUES (2, 21), (13, 22)) h(src, helper) ON h.src = p.w_id
JOIN demo_day d ON d.data = p.data
CROSS JOIN LATERAL (SELECT least(p."time", CASE WHEN d.k % 3 = 0 THEN 8 ELSE 6 END) AS hrs) hh
WHERE (d.dow <= 5 OR d.today)
  AND (d.today OR (d.k * 3 + h.helper * 5) % 11 <> 0)
  AND p."time" > 0
ORDER BY p.data, p.smena, h.helper;

-- Painting operator and brigade lines, shift 1, 8 hours each. Макаров takes
-- his share from the painting of Попов (even days) or the priming of Соколов
-- (odd days), factor 1.2; Андреев from the welding of Сидоров, factor 0.7.
-- A share is one row of the day's output grouped by worker, type, kind and
-- colour: rate = money ÷ hours (2 decimals), pay = 8 × rate × factor.
INSERT INTO accounts_dep.smena (w_id, i_id, o_id, cena, kol_vo, brak, data, smena, color,
                                "time", vvod, ok, prize, id_doc, id_doc_item,
                                f_gds_qty_use, id_gds_use, id_cons_use)
SELECT m.painter, m.marker, m.marker,
       pg_temp.round_even(8 * pg_temp.round_even(sh.f_summ / sh.t_time, 2) * m.factor, 2)::double precision,
       1, 0, d.data, 1, m.marker, 8, d.data::timestamp,
       CASE WHEN d.today THEN 'no' WHEN d.k % 5 = 0 THEN 'да' ELSE 'ok' END,
       0, 0, 0, 0, 0, 0
FROM (VALUES (24, 7780, 1.2), (23, 7781, 0.7)) m(painter, marker, factor)
JOIN demo_day d ON (d.dow <= 5 OR d.today)
               AND (d.today OR (d.k * 3 + m.painter * 5) % 11 <> 0)
CROSS JOIN LATERAL (
    SELECT sum(s.cena * (s.kol_vo - s.brak))::numeric(100,2) AS f_summ, sum(s."time") AS t_time
    FROM accounts_dep.smena s JOIN accounts_dep.oper o ON o.id = s.o_id
    WHERE s.data = d.data AND s.smena = 1
      AND s.w_id = CASE WHEN m.marker = 7781 THEN 3 WHEN d.k % 2 = 0 THEN 7 ELSE 8 END
      AND (m.marker = 7781 OR o.vid IN (2, 3))
    GROUP BY o.vid, o.naimen, s.color
    HAVING sum(s."time") > 0
    ORDER BY o.naimen, s.color
    LIMIT 1) sh
ORDER BY d.data, m.marker;

-- Maintenance and average-piecework records ---------------------------------
-- Hourly price: 150 for maintenance work, 180 for average piecework (the norm
-- prices), doubled on Saturdays and Sundays, × 1.2 at night.
CREATE TEMP TABLE demo_fat AS
-- Никитин, repair fitter: maintenance every working day, 6 hours on working
-- Saturdays; the group he works for changes day by day.
SELECT d.data, d.k, d.dow, 25 AS w_id, 7777 AS kind, 101 + d.k % 4 AS grp, 0 AS night,
       CASE WHEN d.dow <= 5 OR d.today THEN 8 ELSE 6 END AS hrs
FROM demo_day d WHERE d.dow <= 5 OR d.today OR d.work_sat
UNION ALL
-- Захаров, electrician: night maintenance on Mondays, Wednesdays, Fridays and
-- on the Saturdays without a Saturday crew.
SELECT d.data, d.k, d.dow, 26, 7777, 102 + d.k % 2, 1, 8
FROM demo_day d
WHERE d.dow IN (1, 3, 5) OR d.today OR (d.dow = 6 AND NOT d.work_sat)
UNION ALL
-- Зайцев and Соловьёв on the days their machines were down.
SELECT a.data, a.k, 0, a.w_id, 7778, CASE a.w_id WHEN 27 THEN 102 ELSE 101 END, 0, 8
FROM demo_avg_day a
UNION ALL
-- Борисов, welder's apprentice, is paid at the average piecework rate.
SELECT d.data, d.k, d.dow, 29, 7778, 102 + d.k % 2, 0, 8
FROM demo_day d WHERE d.dow <= 5 OR d.today;

INSERT INTO accounts_dep.fatigue (id_nom, id_o, id_p, d_date, i_mnth, i_year, i_smena,
                                  cnt, price, i_holiday, i_night)
SELECT f.grp, f.kind, f.w_id, f.data,
       extract(month FROM f.data)::integer, extract(year FROM f.data)::integer, 1,
       f.hrs,
       CASE f.kind WHEN 7777 THEN 150 ELSE 180 END
         * CASE WHEN extract(isodow FROM f.data) >= 6 THEN 2 ELSE 1 END
         * CASE WHEN f.night = 1 THEN 6 ELSE 5 END / 5,
       CASE WHEN extract(isodow FROM f.data) >= 6 THEN 1 ELSE 0 END,
       f.night
FROM demo_fat f
ORDER BY f.data, f.w_id, f.kind;

-- Hours timesheet ----------------------------------------------------------------
-- Shift rows: one per worker, month, year and shift; each day holds the sum
-- of the hours of all that worker's records of the day and shift, days
-- without records stay empty (as the month rebuild leaves them).
WITH per_day AS (
    SELECT w_id, extract(month FROM data)::integer AS month, extract(year FROM data)::integer AS year,
           smena, extract(day FROM data)::integer AS day, sum("time") AS t
    FROM accounts_dep.smena
    GROUP BY 1, 2, 3, 4, 5
), keyed AS (
    SELECT k.w_id, k.month, k.year, k.smena,
           (SELECT array_agg(pd.t ORDER BY n)
            FROM generate_series(1, 31) n
            LEFT JOIN per_day pd ON pd.w_id = k.w_id AND pd.month = k.month AND pd.year = k.year
                                AND pd.smena = k.smena AND pd.day = n) AS a
    FROM (SELECT DISTINCT w_id, month, year, smena FROM per_day) k
)
INSERT INTO accounts_dep.h_tabel (w_id, month, year, smena, i_type, i_night,
    d1, d2, d3, d4, d5, d6, d7, d8, d9, d10, d11, d12, d13, d14, d15, d16,
    d17, d18, d19, d20, d21, d22, d23, d24, d25, d26, d27, d28, d29, d30, d31)
SELECT w_id, month, year, smena, 0, 0,
    a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15], a[16],
    a[17], a[18], a[19], a[20], a[21], a[22], a[23], a[24], a[25], a[26], a[27], a[28], a[29], a[30], a[31]
FROM keyed
ORDER BY year, month, smena, w_id;

-- Maintenance rows: shift 0, one per worker, kind, night flag, group, month
-- and year, each day the sum of that day's hours.
WITH per_day AS (
    SELECT id_p AS w_id, id_o AS kind, i_night, id_nom, i_mnth AS month, i_year AS year,
           extract(day FROM d_date)::integer AS day, sum(cnt) AS t
    FROM accounts_dep.fatigue
    GROUP BY 1, 2, 3, 4, 5, 6, 7
), keyed AS (
    SELECT k.*,
           (SELECT array_agg(pd.t ORDER BY n)
            FROM generate_series(1, 31) n
            LEFT JOIN per_day pd ON pd.w_id = k.w_id AND pd.kind = k.kind AND pd.i_night = k.i_night
                                AND pd.id_nom = k.id_nom AND pd.month = k.month AND pd.year = k.year
                                AND pd.day = n) AS a
    FROM (SELECT DISTINCT w_id, kind, i_night, id_nom, month, year FROM per_day) k
)
INSERT INTO accounts_dep.h_tabel (w_id, month, year, smena, i_type, i_night, id_nom,
    d1, d2, d3, d4, d5, d6, d7, d8, d9, d10, d11, d12, d13, d14, d15, d16,
    d17, d18, d19, d20, d21, d22, d23, d24, d25, d26, d27, d28, d29, d30, d31)
SELECT w_id, month, year, 0, kind, i_night, id_nom,
    a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15], a[16],
    a[17], a[18], a[19], a[20], a[21], a[22], a[23], a[24], a[25], a[26], a[27], a[28], a[29], a[30], a[31]
FROM keyed
ORDER BY year, month, kind, w_id, i_night, id_nom;

-- Version row: an old build stamp, so any client build is newer. ------------
INSERT INTO accounts_dep.ver (d, t, delim) VALUES (20240101, 0, '');

-- Generated keys continue after the rows above. ------------------------------
-- (The schema starts both keys at 10000, above the reserved ids; keep that.)
DO $$
BEGIN
    PERFORM setval('accounts_dep.vid_oper_id_seq', greatest(10000, (SELECT max(id) FROM accounts_dep.vid_oper)));
    PERFORM setval('accounts_dep.oper_id_seq', greatest(10000, (SELECT max(id) FROM accounts_dep.oper)));
END $$;

COMMIT;
