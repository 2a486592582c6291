'use strict';
// The page's own script: the board view (pan, zoom, layers, markers), the marker table (sort,
// filters, rows drawn only where visible when there are many) and the links between them.
(function () {
  const data = JSON.parse(document.getElementById('report-data').textContent);
  const markers = data.markers;
  // The columns of a marker row, as the page's writer lays them out.
  const TEST = 0, FILE = 1, X = 2, Y = 3, SEVERITY = 4, CHECK = 5, MEASURE = 6, MEASURED = 7, REQUIRED = 8,
    ITEMS = 9, KEY = 10, WAIVED = 11, REASON = 12, RANK = 13, NAMES = 14;
  // Up to this many rows the table holds them all; beyond, only those in sight.
  const ALL_ROWS = 1000;
  const MARKER_RADIUS = 7;
  // Beyond this many markers in sight they are stamped as pixels rather than drawn.
  const MANY_MARKERS = 2000;
  const $ = (id) => document.getElementById(id);
  const view = $('view'), overlay = $('overlay'), tbody = document.querySelector('#markers tbody');
  const scroller = $('marker-scroll');
  const boards = Array.from(view.querySelectorAll('svg.board'));

  const number = (v) => (Math.round(v * 10000) / 10000).toString();
  const cellTexts = (m) => [data.tests[m[TEST]].name, m[CHECK], m[SEVERITY], m[MEASURE] + ' ' + number(m[MEASURED]),
    number(m[REQUIRED]), m[ITEMS], m[FILE] >= 0 ? data.files[m[FILE]].name : '',
    m[WAIVED] ? (m[REASON] || 'waived') : ''];
  const sortValue = (m, column) => column === 3 ? m[MEASURED] : column === 4 ? m[REQUIRED] : cellTexts(m)[column];
  let searchTexts = null; // lower-cased texts of each marker, made on the first text filter

  const state = { file: 0, order: [], selected: -1, sortColumn: -1, sortDown: false, views: [], rowHeight: 24 };

  // ----- the board view: centre (drawing units) and scale (pixels per unit) of each file
  function fitView(file) {
    const f = data.files[file], w = view.clientWidth || 800, h = view.clientHeight || 600;
    const margin = 0.04 * Math.max(f.width, f.height, 1);
    const scale = Math.min(w / (f.width + 2 * margin || 1), h / (f.height + 2 * margin || 1));
    state.views[file] = { x: f.width / 2, y: f.height / 2, scale: scale };
  }
  function currentView() {
    if (!state.views[state.file]) fitView(state.file);
    return state.views[state.file];
  }
  function toScreen(x, y) {
    const v = currentView();
    return [(x - v.x) * v.scale + view.clientWidth / 2, (y - v.y) * v.scale + view.clientHeight / 2];
  }
  function applyView() {
    if (!data.files.length) return;
    const v = currentView(), w = view.clientWidth, h = view.clientHeight;
    const board = boards[state.file];
    if (board && w > 0 && h > 0) {
      board.setAttribute('viewBox', [v.x - w / 2 / v.scale, v.y - h / 2 / v.scale, w / v.scale, h / v.scale].join(' '));
    }
    drawOverlay();
  }
  function showFile(file) {
    state.file = file;
    boards.forEach((board, i) => board.classList.toggle('shown', i === file));
    $('file').value = String(file);
    applyView();
  }
  function zoomAt(factor, sx, sy) {
    const v = currentView(), w = view.clientWidth, h = view.clientHeight;
    const ux = v.x + (sx - w / 2) / v.scale, uy = v.y + (sy - h / 2) / v.scale;
    v.scale *= factor;
    v.x = ux - (sx - w / 2) / v.scale;
    v.y = uy - (sy - h / 2) / v.scale;
    applyView();
  }
  function panBy(dx, dy) {
    const v = currentView();
    v.x -= dx / v.scale;
    v.y -= dy / v.scale;
    applyView();
  }

  // ----- markers over the drawing: those the filters let through, by rank, the chosen one ringed
  let shownByFile = [];
  function sortShownByRank() {
    shownByFile = data.files.map(() => []);
    for (const i of state.order) {
      const file = markers[i][FILE];
      if (file >= 0) shownByFile[file].push(i);
    }
    for (const list of shownByFile) list.sort((a, b) => markers[a][RANK] - markers[b][RANK] || a - b);
  }
  function markerColour(m) {
    return m[WAIVED] ? data.colours.waived : data.colours[m[SEVERITY]] || data.colours.other;
  }
  const pictures = new Map();
  function markerPicture(colour, ratio) {
    const name = colour + '@' + ratio;
    if (!pictures.has(name)) {
      const half = MARKER_RADIUS + 2, picture = document.createElement('canvas');
      picture.width = picture.height = Math.ceil(2 * half * ratio);
      const g = picture.getContext('2d');
      g.scale(ratio, ratio);
      g.strokeStyle = g.fillStyle = colour;
      g.lineWidth = 2;
      g.beginPath();
      g.arc(half, half, MARKER_RADIUS, 0, 2 * Math.PI);
      g.stroke();
      g.beginPath();
      g.arc(half, half, MARKER_RADIUS / 2, 0, 2 * Math.PI);
      g.fill();
      pictures.set(name, picture);
    }
    return pictures.get(name);
  }
  // Drawn once a frame, however often the view changes in it.
  let drawPending = false;
  function drawOverlay() {
    if (drawPending) return;
    drawPending = true;
    requestAnimationFrame(() => { drawPending = false; drawNow(); });
  }
  function drawNow() {
    if (!data.files.length) return;
    const ratio = window.devicePixelRatio || 1, w = view.clientWidth, h = view.clientHeight;
    if (overlay.width !== Math.round(w * ratio) || overlay.height !== Math.round(h * ratio)) {
      overlay.width = Math.round(w * ratio);
      overlay.height = Math.round(h * ratio);
    }
    const g = overlay.getContext('2d');
    g.setTransform(ratio, 0, 0, ratio, 0, 0);
    g.clearRect(0, 0, w, h);
    const shown = (shownByFile[state.file] || []).filter((i) => {
      const [x, y] = toScreen(markers[i][X], markers[i][Y]);
      return x > -MARKER_RADIUS - 2 && y > -MARKER_RADIUS - 2 && x < w + MARKER_RADIUS + 2 && y < h + MARKER_RADIUS + 2;
    });
    if (shown.length > MANY_MARKERS) stampMarkers(g, shown, ratio);
    else drawMarkers(g, shown, ratio);
    const selected = state.selected >= 0 ? markers[state.selected] : null;
    if (selected && selected[FILE] === state.file) {
      g.strokeStyle = data.colours.highlight;
      g.lineWidth = 1.5;
      const boxes = data.files[state.file].boxes;
      for (const name of selected[NAMES]) {
        for (const box of boxes[name] || []) {
          const [x0, y0] = toScreen(box[0], box[1]), [x1, y1] = toScreen(box[2], box[3]);
          g.strokeRect(x0 - 2, y0 - 2, x1 - x0 + 4, y1 - y0 + 4);
        }
      }
      const [x, y] = toScreen(selected[X], selected[Y]);
      g.lineWidth = 2;
      g.beginPath();
      g.arc(x, y, 2 * MARKER_RADIUS, 0, 2 * Math.PI);
      g.stroke();
    }
  }
  // Few markers: each a copy of its colour's picture, smooth edges.
  function drawMarkers(g, shown, ratio) {
    const half = MARKER_RADIUS + 2;
    for (const i of shown) {
      const [x, y] = toScreen(markers[i][X], markers[i][Y]);
      g.drawImage(markerPicture(markerColour(markers[i]), ratio), x - half, y - half, 2 * half, 2 * half);
    }
  }
  // Many markers: the opaque pixels of each picture written straight into the overlay's pixels,
  // which draws fifty thousand in the time a few thousand pictures take.
  function stampMarkers(g, shown, ratio) {
    const width = overlay.width, height = overlay.height, image = g.createImageData(width, height);
    const pixels = new Uint32Array(image.data.buffer), half = (MARKER_RADIUS + 2) * ratio;
    for (const i of shown) {
      const stamp = markerStamp(markerColour(markers[i]), ratio), [x, y] = toScreen(markers[i][X], markers[i][Y]);
      const left = Math.round(x * ratio - half), top = Math.round(y * ratio - half);
      for (let k = 0; k < stamp.dx.length; k++) {
        const px = left + stamp.dx[k], py = top + stamp.dy[k];
        if (px >= 0 && py >= 0 && px < width && py < height) pixels[py * width + px] = stamp.value[k];
      }
    }
    g.putImageData(image, 0, 0);
  }
  const stamps = new Map();
  function markerStamp(colour, ratio) {
    const name = colour + '@' + ratio;
    if (!stamps.has(name)) {
      const picture = markerPicture(colour, ratio), size = picture.width;
      const rgba = picture.getContext('2d').getImageData(0, 0, size, size).data;
      const dx = [], dy = [], value = [];
      for (let p = 0; p < size * size; p++) {
        if (rgba[4 * p + 3] < 128) continue;
        dx.push(p % size);
        dy.push(Math.floor(p / size));
        value.push((255 << 24 | rgba[4 * p + 2] << 16 | rgba[4 * p + 1] << 8 | rgba[4 * p]) >>> 0);
      }
      stamps.set(name, { dx: dx, dy: dy, value: Uint32Array.from(value) });
    }
    return stamps.get(name);
  }
  // A printout gets the markers as circles of the drawing itself: a canvas prints as an opaque picture.
  function printMarkers(on) {
    for (const group of view.querySelectorAll('g.print-markers')) group.remove();
    const board = boards[state.file];
    if (!on || !board) return;
    const svg = 'http://www.w3.org/2000/svg', group = document.createElementNS(svg, 'g');
    const unit = 1 / currentView().scale;
    group.setAttribute('class', 'print-markers');
    const circle = (x, y, radius, stroke, fill) => {
      const c = document.createElementNS(svg, 'circle');
      c.setAttribute('cx', x);
      c.setAttribute('cy', y);
      c.setAttribute('r', radius * unit);
      c.setAttribute('fill', fill || 'none');
      if (stroke) { c.setAttribute('stroke', stroke); c.setAttribute('stroke-width', 2 * unit); }
      group.appendChild(c);
    };
    for (const i of shownByFile[state.file] || []) {
      const m = markers[i], colour = markerColour(m);
      circle(m[X], m[Y], MARKER_RADIUS, colour);
      circle(m[X], m[Y], MARKER_RADIUS / 2, null, colour);
    }
    const selected = state.selected >= 0 ? markers[state.selected] : null;
    if (selected && selected[FILE] === state.file) circle(selected[X], selected[Y], 2 * MARKER_RADIUS, data.colours.highlight);
    board.appendChild(group);
  }
  function markerAt(sx, sy) {
    let best = -1, bestDistance = MARKER_RADIUS + 3;
    for (const i of shownByFile[state.file] || []) {
      const [x, y] = toScreen(markers[i][X], markers[i][Y]), d = Math.hypot(x - sx, y - sy);
      if (d <= bestDistance) { best = i; bestDistance = d; }
    }
    return best;
  }

  // ----- the marker table
  function filterAndSort() {
    const text = $('marker-filter').value.trim().toLowerCase();
    const test = $('test-filter').value, severity = $('severity-filter').value, waived = $('waived-filter').value;
    if (text && !searchTexts) searchTexts = markers.map((m) => (cellTexts(m).join('\n') + '\n' + m[KEY]).toLowerCase());
    const order = [];
    for (let i = 0; i < markers.length; i++) {
      const m = markers[i];
      if ((test && m[TEST] !== Number(test)) || (severity && m[SEVERITY] !== severity) ||
          (waived === 'yes' && !m[WAIVED]) || (waived === 'no' && m[WAIVED]) ||
          (text && !searchTexts[i].includes(text))) continue;
      order.push(i);
    }
    if (state.sortColumn >= 0) {
      const column = state.sortColumn, sign = state.sortDown ? -1 : 1;
      const keys = new Map(order.map((i) => [i, sortValue(markers[i], column)]));
      order.sort((a, b) => {
        const ka = keys.get(a), kb = keys.get(b);
        const c = typeof ka === 'number' ? ka - kb : String(ka).localeCompare(String(kb), undefined, { numeric: true });
        return c * sign || a - b;
      });
    }
    state.order = order;
    $('marker-count').textContent = order.length + ' of ' + markers.length + ' markers';
    sortShownByRank();
    scroller.scrollTop = 0;
    renderRows();
    drawOverlay();
  }
  function rowFor(i) {
    const m = markers[i], tr = document.createElement('tr');
    tr.dataset.marker = String(i);
    if (m[WAIVED]) tr.className = 'waived';
    if (i === state.selected) tr.classList.add('selected');
    cellTexts(m).forEach((text, column) => {
      const td = document.createElement('td');
      td.textContent = text;
      if (column === 2) td.className = 'sev-' + m[SEVERITY];
      tr.appendChild(td);
    });
    return tr;
  }
  function spacer(height) {
    const tr = document.createElement('tr'), td = document.createElement('td');
    tr.className = 'spacer';
    td.colSpan = 8;
    td.style.height = height + 'px';
    td.style.padding = '0';
    td.style.border = 'none';
    tr.appendChild(td);
    return tr;
  }
  let renderAll = false;
  function renderRows() {
    const order = state.order, rows = document.createDocumentFragment();
    if (order.length <= ALL_ROWS || renderAll) {
      for (const i of order) rows.appendChild(rowFor(i));
    } else {
      const height = state.rowHeight, first = Math.max(0, Math.floor(scroller.scrollTop / height) - 20);
      const last = Math.min(order.length, first + Math.ceil((scroller.clientHeight || 600) / height) + 40);
      if (first > 0) rows.appendChild(spacer(first * height));
      for (let k = first; k < last; k++) rows.appendChild(rowFor(order[k]));
      if (last < order.length) rows.appendChild(spacer((order.length - last) * height));
    }
    tbody.replaceChildren(rows);
  }
  function measureRowHeight() {
    const row = tbody.querySelector('tr[data-marker]');
    if (row && row.getBoundingClientRect().height > 0) state.rowHeight = row.getBoundingClientRect().height;
  }
  function revealRow(i) {
    const position = state.order.indexOf(i);
    if (position < 0) return;
    if (state.order.length > ALL_ROWS && !renderAll) {
      const top = position * state.rowHeight;
      if (top < scroller.scrollTop || top > scroller.scrollTop + scroller.clientHeight - state.rowHeight) {
        scroller.scrollTop = Math.max(0, top - scroller.clientHeight / 2);
      }
      renderRows();
    }
    const row = tbody.querySelector('tr[data-marker="' + i + '"]');
    if (row) {
      const rowTop = row.offsetTop, rowBottom = rowTop + row.offsetHeight;
      if (rowTop < scroller.scrollTop + 24 || rowBottom > scroller.scrollTop + scroller.clientHeight) {
        scroller.scrollTop = Math.max(0, rowTop - scroller.clientHeight / 2);
      }
    }
  }
  function markSelectedRow() {
    for (const row of tbody.querySelectorAll('tr.selected')) row.classList.remove('selected');
    const row = tbody.querySelector('tr[data-marker="' + state.selected + '"]');
    if (row) row.classList.add('selected');
  }

  // A row chosen: its marker centred and ringed, its items lit. A marker chosen: its row.
  function selectMarker(i, centre) {
    state.selected = i;
    const m = markers[i];
    if (m[FILE] >= 0) {
      if (m[FILE] !== state.file) showFile(m[FILE]);
      if (centre) {
        const v = currentView(), f = data.files[m[FILE]];
        const closer = Math.min(view.clientWidth, view.clientHeight) / (0.15 * Math.max(f.width, f.height, 1));
        v.scale = Math.max(v.scale, closer);
        v.x = m[X];
        v.y = m[Y];
      }
    }
    markSelectedRow();
    applyView();
  }

  // ----- wiring
  function wire() {
    $('file').addEventListener('change', (e) => showFile(Number(e.target.value)));
    $('fit').addEventListener('click', () => { fitView(state.file); applyView(); });
    for (const box of document.querySelectorAll('#layers input')) {
      box.addEventListener('change', () => showLayer(box.dataset.layer, box.checked));
    }
    let drag = null;
    view.addEventListener('mousedown', (e) => { drag = { x: e.clientX, y: e.clientY, moved: false }; view.focus({ preventScroll: true }); });
    window.addEventListener('mousemove', (e) => {
      if (!drag) return;
      const dx = e.clientX - drag.x, dy = e.clientY - drag.y;
      if (drag.moved || Math.abs(dx) + Math.abs(dy) > 3) {
        drag.moved = true;
        view.classList.add('dragging');
        drag.x = e.clientX;
        drag.y = e.clientY;
        panBy(dx, dy);
      }
    });
    window.addEventListener('mouseup', (e) => {
      if (drag && !drag.moved && view.contains(e.target)) {
        const r = view.getBoundingClientRect(), hit = markerAt(e.clientX - r.left, e.clientY - r.top);
        if (hit >= 0) { selectMarker(hit, false); revealRow(hit); markSelectedRow(); }
      }
      drag = null;
      view.classList.remove('dragging');
    });
    view.addEventListener('wheel', (e) => {
      e.preventDefault();
      const r = view.getBoundingClientRect();
      zoomAt(Math.pow(1.0015, -e.deltaY), e.clientX - r.left, e.clientY - r.top);
    }, { passive: false });
    view.addEventListener('keydown', (e) => {
      const w = view.clientWidth, h = view.clientHeight, step = 0.1 * Math.min(w, h);
      const keys = {
        '+': () => zoomAt(1.25, w / 2, h / 2), '=': () => zoomAt(1.25, w / 2, h / 2), '-': () => zoomAt(0.8, w / 2, h / 2),
        ArrowLeft: () => panBy(step, 0), ArrowRight: () => panBy(-step, 0), ArrowUp: () => panBy(0, step),
        ArrowDown: () => panBy(0, -step), '0': () => { fitView(state.file); applyView(); },
        Home: () => { fitView(state.file); applyView(); },
      };
      if (keys[e.key]) { e.preventDefault(); keys[e.key](); }
    });
    tbody.addEventListener('click', (e) => {
      const row = e.target.closest('tr[data-marker]');
      if (row) selectMarker(Number(row.dataset.marker), true);
    });
    for (const th of document.querySelectorAll('#markers thead th')) {
      th.addEventListener('click', () => {
        const column = Number(th.dataset.column);
        state.sortDown = state.sortColumn === column ? !state.sortDown : false;
        state.sortColumn = column;
        for (const other of document.querySelectorAll('#markers thead th')) other.classList.remove('up', 'down');
        th.classList.add(state.sortDown ? 'down' : 'up');
        filterAndSort();
      });
    }
    for (const id of ['marker-filter', 'test-filter', 'severity-filter', 'waived-filter']) {
      $(id).addEventListener(id === 'marker-filter' ? 'input' : 'change', filterAndSort);
    }
    for (const row of document.querySelectorAll('table.tests tbody tr')) {
      row.addEventListener('click', () => {
        $('test-filter').value = row.dataset.test;
        filterAndSort();
        $('marker-section').scrollIntoView();
      });
    }
    let pending = false;
    scroller.addEventListener('scroll', () => {
      if (state.order.length <= ALL_ROWS || renderAll || pending) return;
      pending = true;
      requestAnimationFrame(() => { pending = false; renderRows(); });
    });
    window.addEventListener('resize', applyView);
    window.addEventListener('beforeprint', () => {
      renderAll = true;
      renderRows();
      fitView(state.file);
      applyView();
      printMarkers(true);
    });
    window.addEventListener('afterprint', () => { renderAll = false; renderRows(); printMarkers(false); });
  }
  function showLayer(layer, shown) {
    for (const group of view.querySelectorAll('g.layer[data-layer="' + layer + '"]')) {
      group.style.display = shown ? '' : 'none';
    }
  }

  for (const box of document.querySelectorAll('#layers input')) showLayer(box.dataset.layer, box.checked);
  wire();
  filterAndSort();
  measureRowHeight();
  showFile(0);
  const ready = performance.now();

  const rows = () => tbody.querySelectorAll('tr[data-marker]');
  // #select=N: the page opens with the marker of row N chosen, for a link to it or a picture.
  const chosen = /^#select=(\d+)$/.exec(location.hash);
  if (chosen && rows()[Number(chosen[1])]) rows()[Number(chosen[1])].click();

  // ----- test hooks: #test=interactions or #test=paint make the page try itself and write what it
  // saw into the element "test-result", for a headless browser's dump of the page.
  const hook = /^#test=(\w+)(?:&text=(.*))?$/.exec(location.hash);
  if (!hook) return;
  const result = { markers: markers.length, ready: ready };
  function setFilter(id, value) {
    $(id).value = value;
    $(id).dispatchEvent(new Event(id === 'marker-filter' ? 'input' : 'change'));
  }
  function interactions() {
    result.rows = rows().length;
    const first = rows()[0];
    if (first) {
      first.click();
      const m = markers[Number(first.dataset.marker)], [x, y] = toScreen(m[X], m[Y]);
      result.clickedRow = { key: m[KEY], selectedKey: state.selected >= 0 ? markers[state.selected][KEY] : null,
        rowSelected: first.classList.contains('selected') || !!tbody.querySelector('tr.selected[data-marker="' + state.selected + '"]'),
        centred: Math.abs(x - view.clientWidth / 2) < 2 && Math.abs(y - view.clientHeight / 2) < 2 };
    }
    // A marker with no other near it, so that a click on it can only mean it.
    const onScreen = (i) => toScreen(markers[i][X], markers[i][Y]);
    const other = (shownByFile[state.file] || []).find((i) => i !== state.selected &&
      shownByFile[state.file].every((j) => j === i || Math.hypot(onScreen(i)[0] - onScreen(j)[0],
        onScreen(i)[1] - onScreen(j)[1]) > 2 * (MARKER_RADIUS + 3)));
    if (other !== undefined) {
      const r = view.getBoundingClientRect(), [x, y] = toScreen(markers[other][X], markers[other][Y]);
      const at = { clientX: r.left + x, clientY: r.top + y, bubbles: true };
      view.dispatchEvent(new MouseEvent('mousedown', at));
      view.dispatchEvent(new MouseEvent('mouseup', at));
      const row = tbody.querySelector('tr.selected');
      result.clickedMarker = { key: markers[other][KEY], selectedKey: markers[state.selected][KEY],
        selectedRowKey: row ? markers[Number(row.dataset.marker)][KEY] : null };
    }
    const count = (id, value) => {
      setFilter(id, value);
      const shown = Array.from(rows()).map((row) => markers[Number(row.dataset.marker)]);
      setFilter(id, '');
      return shown;
    };
    result.critical = count('severity-filter', 'Critical').map((m) => m[SEVERITY]);
    result.waived = count('waived-filter', 'yes').map((m) => m[KEY]);
    result.notWaived = count('waived-filter', 'no').length;
    result.text = count('marker-filter', decodeURIComponent(hook[2] || '')).map((m) => m[ITEMS]);
    const testRow = document.querySelector('table.tests tbody tr[data-test="' + (markers.length ? markers[0][TEST] : 0) + '"]');
    if (testRow) {
      testRow.click();
      result.testRows = Array.from(rows()).map((row) => data.tests[markers[Number(row.dataset.marker)][TEST]].name);
      result.testName = data.tests[Number(testRow.dataset.test)].name;
      setFilter('test-filter', '');
    }
    const quiet = document.querySelector('table.tests tbody tr[data-test]:not([data-test="' +
      Array.from(new Set(markers.map((m) => m[TEST]))).join('"]):not([data-test="') + '"])');
    if (quiet) {
      quiet.click();
      result.quietTestRows = rows().length;
      setFilter('test-filter', '');
    }
    result.rowsAfter = rows().length;
    result.files = files();
    result.layer = layerSwitch();
    result.moves = moves();
  }
  // Which drawing each choice of the file chooser shows.
  function files() {
    const shown = [];
    for (let i = 0; i < data.files.length; i++) {
      $('file').value = String(i);
      $('file').dispatchEvent(new Event('change'));
      shown.push(boards.findIndex((board) => getComputedStyle(board).display !== 'none'));
    }
    return shown;
  }
  // How many of a layer's groups a switch hides and shows again.
  function layerSwitch() {
    const box = document.querySelector('#layers input:checked');
    if (!box) return null;
    const groups = () => Array.from(view.querySelectorAll('g.layer[data-layer="' + box.dataset.layer + '"]'));
    const visible = () => groups().filter((g) => getComputedStyle(g).display !== 'none').length;
    const before = visible();
    box.click();
    const off = visible();
    box.click();
    return { groups: groups().length, before: before, off: off, on: visible() };
  }
  // The view's centre and scale after each way of moving it, for the test to compare.
  function moves() {
    const seen = {}, look = () => { const v = currentView(); return { x: v.x, y: v.y, scale: v.scale }; };
    const key = (name) => view.dispatchEvent(new KeyboardEvent('keydown', { key: name, bubbles: true }));
    const r = view.getBoundingClientRect(), centre = { clientX: r.left + r.width / 2, clientY: r.top + r.height / 2 };
    key('0');
    seen.fit = look();
    key('+');
    seen.plus = look();
    key('ArrowRight');
    seen.right = look();
    key('-');
    seen.minus = look();
    key('0');
    view.dispatchEvent(new WheelEvent('wheel', Object.assign({ deltaY: -200, bubbles: true, cancelable: true }, centre)));
    seen.wheel = look();
    view.dispatchEvent(new MouseEvent('mousedown', Object.assign({ bubbles: true }, centre)));
    window.dispatchEvent(new MouseEvent('mousemove', { clientX: centre.clientX + 50, clientY: centre.clientY + 20 }));
    window.dispatchEvent(new MouseEvent('mouseup', { clientX: centre.clientX + 50, clientY: centre.clientY + 20 }));
    seen.drag = look();
    return seen;
  }
  function paint() {
    result.rows = rows().length;
    const started = performance.now();
    scroller.scrollTop = scroller.scrollHeight;
    renderRows();
    const last = tbody.querySelector('tr[data-marker="' + state.order[state.order.length - 1] + '"]');
    result.lastRowShown = !!last;
    result.scrollMs = performance.now() - started;
    const filtered = performance.now();
    setFilter('severity-filter', 'Critical');
    result.filterMs = performance.now() - filtered;
    result.filteredRows = state.order.length;
    const zoomed = performance.now();
    zoomAt(2, view.clientWidth / 2, view.clientHeight / 2);
    drawNow();
    result.zoomMs = performance.now() - zoomed;
  }
  function write() {
    const pre = document.createElement('pre');
    pre.id = 'test-result';
    pre.textContent = JSON.stringify(result);
    document.body.appendChild(pre);
  }
  // Runs once, after the first frame with the page drawn (two animation frames: the browser has
  // painted it) or after three seconds of page time: a headless browser that starts slowly may use
  // up its time budget before it draws at all, and a result not written would hide what the page did.
  let hookRan = false;
  function runHook(framed) {
    if (hookRan) return;
    hookRan = true;
    if (framed) result.firstFrame = performance.now();
    try {
      if (hook[1] === 'interactions') interactions();
      else paint();
    } catch (error) {
      result.error = String(error.stack || error);
    }
    write();
  }
  requestAnimationFrame(() => requestAnimationFrame(() => runHook(true)));
  setTimeout(() => runHook(false), 3000);
})();
