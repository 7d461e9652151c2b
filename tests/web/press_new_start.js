// Opens the tool's web page in Debian's Chromium, sees that the whole
// remote desktop is scaled to fit the browser's window, and, by clicks on
// the noVNC canvas alone, presses "New" and then "Start" in the tool's
// window.
// Usage: node press_new_start.js URL DESKTOP_WIDTHxHEIGHT [SCREENSHOT.png]
// Exits non-zero, saying why, when any step fails or takes too long.
const { kStepTimeoutMs, newPage, runWithBrowser } = require('./chromium');

// A laptop's screen, lower than the 1024 x 768 desktop.
const kViewport = { width: 1280, height: 720 };

// The admin window's template is 496 x 247 dialog units; its "Start" and
// "New" buttons are 50 x 15 units at (5, 150) and (70, 150). Its font, 8 pt
// "MS Sans Serif", makes 4 x 8 units 6 x 13 pixels.
const kClientUnits = { width: 496, height: 247 };
const kButtonCentres = { start: { x: 30, y: 157.5 }, new: { x: 95, y: 157.5 } };
const kPixelsPerUnit = { x: 6 / 4, y: 13 / 8 };

// Looks at the noVNC canvas: its size in desktop pixels, where the page
// shows it, the one window on the desktop (the bounding box of every pixel
// that differs from the desktop's colour, read in the bottom right corner),
// and the pixels around a point of the desktop, if one is given.
async function look(page, point) {
    return page.evaluate(point => {
        const canvases = [...document.querySelectorAll('canvas')];
        const canvas = canvases.sort((a, b) => b.width * b.height - a.width * a.height)[0];
        if (!canvas || canvas.width === 0)
            return null;
        const { width, height } = canvas;
        const { left, top, right, bottom } = canvas.getBoundingClientRect();
        const pixels = new Uint32Array(canvas.getContext('2d').getImageData(0, 0, width, height).data.buffer);
        const background = pixels[width * height - 1];
        const window = { left: width, top: height, right: 0, bottom: 0 };
        for (let y = 0; y < height; ++y) {
            for (let x = 0; x < width; ++x) {
                if (pixels[y * width + x] === background)
                    continue;
                window.left = Math.min(window.left, x); window.right = Math.max(window.right, x + 1);
                window.top = Math.min(window.top, y); window.bottom = Math.max(window.bottom, y + 1);
            }
        }
        let around = '';
        if (point) {
            const x0 = Math.round(point.x) - 20, y0 = Math.round(point.y) - 6;
            for (let y = y0; y < y0 + 12; ++y)
                around += pixels.slice(y * width + x0, y * width + x0 + 40).join() + ';';
        }
        return {
            width, height, shown: { left, top, right, bottom }, around,
            window: window.right === 0 ? null : window,
        };
    }, point);
}

// Where a button's centre is on the desktop, measured from the window's
// bottom-left corner, below which lies only the window's border.
function buttonOnDesktop(window, centre) {
    const border = (window.right - window.left - kClientUnits.width * kPixelsPerUnit.x) / 2;
    return {
        x: window.left + border + centre.x * kPixelsPerUnit.x,
        y: window.bottom - border - (kClientUnits.height - centre.y) * kPixelsPerUnit.y,
    };
}

// Where a point of the desktop is on the page.
function onPage(screen, point) {
    const { shown } = screen;
    return {
        x: shown.left + point.x * (shown.right - shown.left) / screen.width,
        y: shown.top + point.y * (shown.bottom - shown.top) / screen.height,
    };
}

// The whole desktop is on the page, as large as the window lets it be: it
// reaches the window's edges in one direction.
function fitsWindow(screen, desktop) {
    const { shown } = screen;
    const whole = `${screen.width}x${screen.height}` === desktop;
    const inside = shown.left >= 0 && shown.top >= 0 &&
                   shown.right <= kViewport.width + 0.5 && shown.bottom <= kViewport.height + 0.5;
    const filled = shown.right - shown.left >= kViewport.width - 1 || shown.bottom - shown.top >= kViewport.height - 1;
    return whole && inside && filled;
}

async function until(what, probe) {
    const deadline = Date.now() + kStepTimeoutMs;
    for (;;) {
        const result = await probe();
        if (result)
            return result;
        if (Date.now() > deadline)
            throw new Error(`timed out: ${what}`);
        await new Promise(resolve => setTimeout(resolve, 250));
    }
}

runWithBrowser(async (browser, url, desktop, screenshot) => {
    const page = await newPage(browser, kViewport);
    await page.goto(url, { timeout: kStepTimeoutMs });

    // The window has appeared once two looks a moment apart agree on it
    // and it is at least as wide as its template.
    let previous = null;
    const screen = await until('the tool\'s window on the page', async () => {
        const screen = await look(page);
        const window = screen && JSON.stringify(screen.window);
        const same = screen && screen.window && window === previous;
        previous = window;
        const wide = same && screen.window.right - screen.window.left >= kClientUnits.width * kPixelsPerUnit.x;
        return wide ? screen : null;
    });
    console.log(`window at ${JSON.stringify(screen.window)} of the ${screen.width}x${screen.height} desktop,` +
                ` shown at ${JSON.stringify(screen.shown)}`);
    if (!fitsWindow(screen, desktop))
        throw new Error(`the ${desktop} desktop is not scaled to the ${kViewport.width}x${kViewport.height} window`);

    const start = buttonOnDesktop(screen.window, kButtonCentres.start);
    const disabledStart = (await look(page, start)).around;
    const add = onPage(screen, buttonOnDesktop(screen.window, kButtonCentres.new));
    await page.mouse.click(add.x, add.y);
    // "Start" turns enabled once the new server is the current one.
    await until('"Start" enabled after "New"', async () => (await look(page, start)).around !== disabledStart);
    const startOnPage = onPage(screen, start);
    await page.mouse.click(startOnPage.x, startOnPage.y);
    if (screenshot) {
        await new Promise(resolve => setTimeout(resolve, 2000));
        await page.screenshot({ path: screenshot });
    }
});
