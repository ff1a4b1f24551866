-- «Табель»: the database the client relies on.
--
-- The schema accounts_dep is the wage office's own. The cmn_*, hrms_* and adm_*
-- schemas stand in for the ERP installation the office shares its database
-- with: only the tables and columns the client reads or writes are here.
-- Loading this file into an empty database gives a working, empty plant with
-- the reserved rows every window relies on.

SET client_min_messages = warning;

-- ERP types -----------------------------------------------------------------
CREATE DOMAIN public.t_id AS numeric(15,0);
CREATE DOMAIN public.t_integer AS integer;
CREATE DOMAIN public.t_money AS numeric(15,2);

CREATE SEQUENCE public.erp_id_seq START 100000;

-- ERP: contractors (names of workers) ---------------------------------------
CREATE SCHEMA cmn_contractor;
CREATE TABLE cmn_contractor.person (
    id          t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    s_code      varchar(30),
    s_caption   varchar(254)
);
CREATE INDEX person_s_code_idx ON cmn_contractor.person (s_code);

-- ERP: classifier; level-2 items are the nomenclature groups ----------------
CREATE SCHEMA cmn_classifier;
CREATE TABLE cmn_classifier.item (
    id              t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    -- A row inserted with just a caption becomes a usable nomenclature group:
    -- goods classifier 1, level 2, under the root item 1.
    id_classifier   t_id DEFAULT 1,
    id_level        t_id DEFAULT 2,
    id_parent       t_id DEFAULT 1,
    s_code          varchar(254) DEFAULT '',
    s_caption       varchar(254),
    s_description   varchar(4000) DEFAULT '',
    d_excluded_date date,
    b_excluded      integer DEFAULT 0
);
-- The root of the goods classifier.
INSERT INTO cmn_classifier.item (id, id_classifier, id_level, id_parent, s_code, s_caption)
VALUES (1, 1, 1, NULL, '1', 'Номенклатура');

-- ERP: goods and services (the products) --------------------------------------
CREATE SCHEMA cmn_gds_and_srv;
CREATE TABLE cmn_gds_and_srv.gds_and_srv (
    id              t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    s_caption       varchar(254),
    s_description   varchar(4000) DEFAULT '',
    id_msm_bs       t_id DEFAULT 6,
    massa           numeric(18,6) DEFAULT 0,
    id_class_item   t_id
);
CREATE INDEX gds_and_srv_class_idx ON cmn_gds_and_srv.gds_and_srv (id_class_item);

-- ERP: departments, staff positions, roles (read whole by the worker card) ----
CREATE SCHEMA cmn_department;
CREATE TABLE cmn_department.department (
    id            t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    id_branch     t_id,
    id_parent     t_id,
    s_code        varchar(30),
    s_caption     varchar(254),
    s_description varchar(4000)
);

CREATE SCHEMA hrms_staffpos;
CREATE TABLE hrms_staffpos.staffpos (
    id            t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    id_department t_id,
    s_code        varchar(30),
    s_caption     varchar(254),
    s_description varchar(4000),
    d_begin       date,
    d_end         date
);

CREATE SCHEMA adm_role;
CREATE TABLE adm_role.roles (
    id        t_id PRIMARY KEY DEFAULT nextval('public.erp_id_seq'),
    s_name    varchar(30),
    s_caption varchar(254),
    d_begin   date,
    d_end     date,
    b_active  varchar(5)
);

-- The wage office's own schema ----------------------------------------------
CREATE SCHEMA accounts_dep;

CREATE TABLE accounts_dep.person (
    id            serial PRIMARY KEY,
    fio           varchar(254),
    s_staffpos_hl varchar(254)
);

-- Workers' names are read from the ERP's contractors by id or by s_code, so
-- every worker is mirrored there with both equal to the worker number.
CREATE FUNCTION accounts_dep.person_mirror() RETURNS trigger
LANGUAGE plpgsql AS $$
BEGIN
    IF TG_OP = 'DELETE' THEN
        DELETE FROM cmn_contractor.person WHERE id = OLD.id;
        RETURN OLD;
    END IF;
    IF TG_OP = 'UPDATE' AND OLD.id <> NEW.id THEN
        DELETE FROM cmn_contractor.person WHERE id = OLD.id;
    END IF;
    INSERT INTO cmn_contractor.person (id, s_code, s_caption)
    VALUES (NEW.id, NEW.id::text, NEW.fio)
    ON CONFLICT (id) DO UPDATE SET s_code = EXCLUDED.s_code, s_caption = EXCLUDED.s_caption;
    RETURN NEW;
END $$;

CREATE TRIGGER person_mirror AFTER INSERT OR UPDATE OR DELETE ON accounts_dep.person
    FOR EACH ROW EXECUTE FUNCTION accounts_dep.person_mirror();

CREATE TABLE accounts_dep.vid_oper (
    id  serial PRIMARY KEY,
    vid varchar(50)
);

CREATE TABLE accounts_dep.oper (
    id       serial PRIMARY KEY,
    vid      integer,
    naimen   integer DEFAULT 0,
    i_id     integer,
    cena_new numeric DEFAULT 0
);
CREATE INDEX oper_i_id_idx ON accounts_dep.oper (i_id);

CREATE TABLE accounts_dep.norm (
    id    serial PRIMARY KEY,
    o_id  integer,
    norma integer DEFAULT 0,
    prize integer DEFAULT 0,
    price double precision DEFAULT 0
);
CREATE INDEX norm_o_id_idx ON accounts_dep.norm (o_id);

CREATE TABLE accounts_dep.smena (
    id            serial PRIMARY KEY,
    w_id          integer,
    i_id          integer,
    o_id          integer,
    cena          double precision,
    kol_vo        integer,
    brak          integer DEFAULT 0,
    data          date,
    smena         integer,
    color         integer DEFAULT 0,
    "time"        integer DEFAULT 0,
    vvod          timestamp DEFAULT now(),
    ok            text DEFAULT 'no',
    prize         double precision DEFAULT 0,
    id_doc        t_id DEFAULT 0,
    id_doc_item   t_id DEFAULT 0,
    f_gds_qty_use double precision DEFAULT 0,
    id_gds_use    t_id DEFAULT 0,
    id_cons_use   t_id DEFAULT 0
);
CREATE INDEX smena_data_smena_idx ON accounts_dep.smena (data, smena);
CREATE INDEX smena_w_id_data_idx ON accounts_dep.smena (w_id, data);

CREATE TABLE accounts_dep.h_tabel (
    id      serial PRIMARY KEY,
    w_id    integer,
    month   integer,
    year    integer,
    smena   integer DEFAULT 0,
    i_type  integer DEFAULT 0,
    i_night integer DEFAULT 0,
    id_nom  t_id,
    d1 integer, d2 integer, d3 integer, d4 integer, d5 integer, d6 integer, d7 integer,
    d8 integer, d9 integer, d10 integer, d11 integer, d12 integer, d13 integer, d14 integer,
    d15 integer, d16 integer, d17 integer, d18 integer, d19 integer, d20 integer, d21 integer,
    d22 integer, d23 integer, d24 integer, d25 integer, d26 integer, d27 integer, d28 integer,
    d29 integer, d30 integer, d31 integer
);
CREATE INDEX h_tabel_month_idx ON accounts_dep.h_tabel (year, month, w_id);

CREATE TABLE accounts_dep.person_temp (
    id        serial PRIMARY KEY,
    id_smena  integer,
    id_person integer,
    f_count   numeric(15,2),
    f_time    numeric,
    type      integer DEFAULT 1
);

CREATE TABLE accounts_dep.painting_temp (
    id      serial PRIMARY KEY,
    id_p    integer,
    id_w    integer,
    v_id    integer,
    f_count numeric(15,2),
    f_time  numeric,
    color   integer DEFAULT 0
);

CREATE TABLE accounts_dep.fatigue (
    id        serial PRIMARY KEY,
    id_nom    t_id,
    id_o      t_id,
    id_p      t_id,
    d_date    date,
    i_mnth    integer,
    i_year    integer,
    i_smena   integer DEFAULT 1,
    cnt       integer,
    price     numeric,
    i_holiday integer DEFAULT 0,
    i_night   integer DEFAULT 0
);
CREATE INDEX fatigue_d_date_idx ON accounts_dep.fatigue (d_date);

-- The version row: the build stamp of the newest client that has connected and
-- the decimal separator numbers in statements must carry (empty means ".").
CREATE TABLE accounts_dep.ver (
    d     integer,
    t     integer,
    delim text DEFAULT ''
);

-- Products as the wage office reads them: the ERP goods with their group.
CREATE VIEW accounts_dep.izdel AS
SELECT g.id,
       g.s_caption::varchar(254) AS marka,
       i.s_caption AS nom,
       g.massa,
       g.id_class_item,
       g.id_class_item AS id_nom
FROM cmn_gds_and_srv.gds_and_srv g
LEFT JOIN cmn_classifier.item i ON i.id = g.id_class_item;

-- Money per nomenclature group, worker and date: from shift records ...
CREATE VIEW accounts_dep.v_nom_s AS
SELECT g.id_class_item AS id_nom,
       s.w_id::numeric(15,0) AS id_p,
       sum((s.kol_vo - s.brak) * s.cena::numeric) AS f_sum,
       s.data AS d_date
FROM accounts_dep.smena s
JOIN cmn_gds_and_srv.gds_and_srv g ON g.id = s.i_id
WHERE s.ok <> 'ta'
GROUP BY g.id_class_item, s.w_id, s.data;

-- ... and from maintenance and average-piecework records.
CREATE VIEW accounts_dep.v_nom_f AS
SELECT f.id_nom,
       f.id_p,
       sum(f.cnt * f.price) AS f_sum,
       f.d_date
FROM accounts_dep.fatigue f
GROUP BY f.id_nom, f.id_p, f.d_date;

-- Reserved rows ---------------------------------------------------------------
-- Operation types: painting (2, 3), maintenance work (7777), average piecework
-- (7778); 7779..7781 are the types of the share lines.
INSERT INTO accounts_dep.vid_oper (id, vid) VALUES
    (2, 'Покраска'),
    (3, 'Грунтовка'),
    (7777, 'Хоз. работы'),
    (7778, 'Ср. сдельная'),
    (7779, 'Подсобный рабочий'),
    (7780, 'Оператор покраски'),
    (7781, 'Бригада');

-- The reserved products belong to a group of their own, so they never show up
-- among the plant's goods but still join in every product query.
INSERT INTO cmn_classifier.item (id, s_caption, b_excluded) VALUES (7777, 'Служебная', 1);
INSERT INTO cmn_gds_and_srv.gds_and_srv (id, s_caption, massa, id_class_item) VALUES
    (7777, 'Хоз. работы', 0, 7777),
    (7778, 'Ср. сдельная', 0, 7777),
    (7779, 'Подсобный рабочий', 0, 7777),
    (7780, 'Оператор покраски', 0, 7777),
    (7781, 'Бригада', 0, 7777);

INSERT INTO accounts_dep.oper (id, vid, naimen, i_id, cena_new) VALUES
    (7777, 7777, 0, 7777, 0),
    (7778, 7778, 0, 7778, 0),
    (7779, 7779, 0, 7779, 0),
    (7780, 7780, 0, 7780, 0),
    (7781, 7781, 0, 7781, 0);

-- Hourly prices offered by the maintenance work card.
INSERT INTO accounts_dep.norm (o_id, norma, prize, price) VALUES
    (7777, 1, 0, 150),
    (7778, 1, 0, 180);

-- Generated keys start above the reserved ids.
DO $$
BEGIN
    PERFORM setval('accounts_dep.vid_oper_id_seq', 10000);
    PERFORM setval('accounts_dep.oper_id_seq', 10000);
END $$;
