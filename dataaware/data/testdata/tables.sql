-- A table with a field of every kind a filter constant can take.
CREATE TABLE t (Name VARCHAR(20), "First Name" VARCHAR(20), A INTEGER, B INTEGER, C INTEGER,
                Amount FLOAT, Price NUMERIC(10,2), Active BOOLEAN, Day DATE, Moment TIME,
                Stamp TIMESTAMP, Small SMALLINT, Notes MEMO);
CREATE INDEX ByName ON t (Name COLLATE NOCASE);
INSERT INTO t VALUES ('Smith', 'John Smith', 1, 2, 3, 12.5, 12.5, 1, '2001-02-03', '10:00:00', '2001-02-03 10:00:00', 7, NULL);
INSERT INTO t VALUES ('Jones', 'Ann Jones', 1, 5, 3, 100, 0.01, 0, '1850-06-01', '23:59:59', '1850-06-01 06:00:00', -7, 'memo');
INSERT INTO t VALUES ('Brown', NULL, 2, 2, 4, 250, 99.99, 1, NULL, NULL, NULL, 0, NULL);
INSERT INTO t VALUES (NULL, 'Nobody', 3, 3, 3, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);

-- 250 numbered records for the filter event's Escape check.
CREATE TABLE many (N INTEGER NOT NULL, Even BOOLEAN);
WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 250)
INSERT INTO many SELECT i, i % 2 = 0 FROM k;

-- Customers and their orders: lookups, master and detail, rich-text notes.
CREATE TABLE customers (CustNo INTEGER, Company VARCHAR(30), Notes MEMO);
CREATE INDEX ByCustNo ON customers (CustNo);
INSERT INTO customers VALUES (1, 'Acme', 'plain note'), (2, 'Globex', '{\rtf1\ansi Globex {\b bold} note}'),
                             (3, 'Initech', NULL);
CREATE TABLE orders (OrderNo INTEGER, CustNo INTEGER, Item VARCHAR(20), Phone VARCHAR(14));
CREATE INDEX ByCust ON orders (CustNo, OrderNo);
INSERT INTO orders VALUES (1001, 1, 'Anvil', '(555)123-4567'), (1002, 2, 'Rocket', NULL),
                          (1003, 1, 'Magnet', NULL), (1004, 9, 'Spring', NULL),
                          (1005, 1, 'Glue', NULL);
